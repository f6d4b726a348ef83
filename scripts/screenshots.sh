#!/usr/bin/env bash
# Rewrites docs/screenshots/tab-1.png .. tab-5.png: the window with a demo
# model, one picture per tab, drawn offscreen (no display needed); edits.png,
# the basic menu with three fields changed, their marks and Write's tooltip;
# and en-tab-3.png, the third tab of the English window. Uses the build directory
# of run.sh and test.sh unless BUILD_DIR says otherwise.
set -euo pipefail
source "$(dirname "$0")/setup.sh"

install_missing
generator=()
[ -f "$BUILD_DIR/CMakeCache.txt" ] || generator=(-G Ninja)
cmake -S "$TXCONFIG_ROOT" -B "$BUILD_DIR" "${generator[@]}" -DTXCONFIG_QT_MAJOR="$TXCONFIG_QT_MAJOR"
cmake --build "$BUILD_DIR" --parallel "$(nproc)" --target txscreenshots

shots="$TXCONFIG_ROOT/docs/screenshots"
tool="$BUILD_DIR/tools/screenshots/txscreenshots"
QT_QPA_PLATFORM=offscreen "$tool" "$shots"

english="$(mktemp -d)"
trap 'rm -rf "$english"' EXIT
QT_QPA_PLATFORM=offscreen "$tool" --lang en "$english" >/dev/null
cp "$english/tab-3.png" "$shots/en-tab-3.png"
echo "$shots/en-tab-3.png"
