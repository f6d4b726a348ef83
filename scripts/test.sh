#!/usr/bin/env bash
# Sets up, builds and runs every test through CTest; non-zero on any failure.
#   ./scripts/test.sh [--qt6] [CTEST ARGUMENTS]
# --qt6 builds and tests against Qt 6 in build-qt6 (the same as
# TXCONFIG_QT_MAJOR=6); other arguments go to ctest.
set -euo pipefail
if [ "${1:-}" = "--qt6" ]; then
    export TXCONFIG_QT_MAJOR=6
    shift
fi
source "$(dirname "$0")/setup.sh"
install_missing
configure_and_build
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$BUILD_DIR" --output-on-failure --parallel "$(nproc)" "$@"
