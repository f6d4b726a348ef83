#!/usr/bin/env bash
# Sets up, builds and runs every test through CTest; non-zero on any failure.
set -euo pipefail
source "$(dirname "$0")/setup.sh"
install_missing
configure_and_build
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$BUILD_DIR" --output-on-failure --parallel "$(nproc)" "$@"
