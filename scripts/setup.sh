#!/usr/bin/env bash
# Installs what the build needs (Debian packages), then configures and builds
# into build/. Sourced by run.sh and test.sh; quick when nothing is missing.
set -euo pipefail

TXCONFIG_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$TXCONFIG_ROOT/build}"

packages=(
    build-essential cmake ninja-build pkg-config
    qtbase5-dev qtbase5-dev-tools libqt5serialport5-dev
    qttools5-dev qttools5-dev-tools qttranslations5-l10n
    fonts-noto-cjk fonts-liberation fonts-wqy-microhei
    libbenchmark-dev
)

install_missing() {
    local missing=()
    for p in "${packages[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
}

configure_and_build() {
    local generator=()
    [ -f "$BUILD_DIR/CMakeCache.txt" ] || generator=(-G Ninja)
    cmake -S "$TXCONFIG_ROOT" -B "$BUILD_DIR" "${generator[@]}" "$@"
    cmake --build "$BUILD_DIR" --parallel "$(nproc)"
}
