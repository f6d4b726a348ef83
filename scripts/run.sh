#!/usr/bin/env bash
# Sets up, builds and starts txconfig.
set -euo pipefail
source "$(dirname "$0")/setup.sh"
install_missing
configure_and_build
exec "$BUILD_DIR/src/app/txconfig" "$@"
