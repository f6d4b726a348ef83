#!/bin/sh
# Shows that an edit of the form reaches the program in one build: puts a
# marker into the window title in src/ui/mainwindow.ui, builds once, looks for
# the marker in txconfig, then puts the form back and builds again.
# Usage: scripts/check-form-rebuild.sh [BUILD_DIR]   (default: build)
set -eu
cd "$(dirname "$0")/.."
build=${1:-build}
form=src/ui/mainwindow.ui
marker="FormEdit$$"
saved=$(mktemp)
cp "$form" "$saved"
restore() {
    cp "$saved" "$form"
    rm -f "$saved"
    cmake --build "$build" --target txconfig --parallel 2 >/dev/null
}
trap restore EXIT

cmake --build "$build" --target txconfig --parallel 2 >/dev/null
sed -i "0,/ZR5N&amp;N6KW-V4.2/s//ZR5N\&amp;N6KW-V4.2 $marker/" "$form"
grep -q "$marker" "$form" || { echo "could not mark the form" >&2; exit 2; }
cmake --build "$build" --target txconfig --parallel 2 >/dev/null
if grep -q "$marker" "$build/src/app/txconfig"; then
    echo "one build: the edited form is in txconfig"
else
    echo "FAILED: after one build txconfig still holds the old form" >&2
    exit 1
fi
