#!/usr/bin/env bash
# Installs what the build needs (Debian packages), then configures and builds
# into build/. Sourced by run.sh and test.sh; quick when nothing is missing.
# TXCONFIG_QT_MAJOR=6 (or test.sh --qt6) builds against Qt 6 instead, into
# build-qt6, and only then installs the Qt 6 packages.
set -euo pipefail

TXCONFIG_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
TXCONFIG_QT_MAJOR="${TXCONFIG_QT_MAJOR:-5}"
case "$TXCONFIG_QT_MAJOR" in
5) BUILD_DIR="${BUILD_DIR:-$TXCONFIG_ROOT/build}" ;;
6) BUILD_DIR="${BUILD_DIR:-$TXCONFIG_ROOT/build-qt6}" ;;
*) echo "TXCONFIG_QT_MAJOR must be 5 or 6, not '$TXCONFIG_QT_MAJOR'" >&2; exit 1 ;;
esac

packages=(
    build-essential cmake ninja-build pkg-config
    qtbase5-dev qtbase5-dev-tools libqt5serialport5-dev
    qttools5-dev qttools5-dev-tools qttranslations5-l10n
    fonts-noto-cjk fonts-liberation fonts-wqy-microhei
    libbenchmark-dev
    help2man bash-completion ccache
)
if [ "$TXCONFIG_QT_MAJOR" = 6 ]; then
    # libgl-dev: Qt 6's Gui package looks for the OpenGL headers;
    # qt6-qpa-plugins: the VNC platform run.sh falls back to without a display.
    packages+=(qt6-base-dev qt6-serialport-dev qt6-tools-dev qt6-tools-dev-tools
        qt6-l10n-tools qt6-translations-l10n qt6-qpa-plugins libgl-dev)
fi

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

# The compiler cache, once installed, serves every build folder and every
# clone: paths below the checkout are hashed relative to it, so a fresh clone
# (CI's, a helper's worktree) reuses what an earlier one compiled.
export CCACHE_BASEDIR="$TXCONFIG_ROOT" CCACHE_NOHASHDIR=true
# Prints the CMake option that puts it in front of the compiler (after
# install_missing, which installs it).
compiler_cache() {
    if command -v ccache >/dev/null; then echo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache; fi
}

configure_and_build() {
    local generator=()
    [ -f "$BUILD_DIR/CMakeCache.txt" ] || generator=(-G Ninja)
    cmake -S "$TXCONFIG_ROOT" -B "$BUILD_DIR" "${generator[@]}" $(compiler_cache) \
        -DTXCONFIG_QT_MAJOR="$TXCONFIG_QT_MAJOR" "$@"
    cmake --build "$BUILD_DIR" --parallel "$(nproc)"
}
