#!/usr/bin/env bash
# Release check: a Release build installed into a staging folder, its desktop
# entry and AppStream file validated, the installed files checked, then the
# Debian package built and inspected. Non-zero on the first failure.
#   BUILD_DIR   build folder (default build-release); the .deb is left there
set -euo pipefail
BUILD_DIR="${BUILD_DIR:-$(cd "$(dirname "$0")/.." && pwd)/build-release}"
source "$(dirname "$0")/setup.sh"

APP_ID=io.github.txconfig.TxConfig
started=$SECONDS
step() { printf '\n== %s\n' "$*"; }
fail() {
    echo "check-release: $*" >&2
    exit 1
}

step "Packages"
install_missing desktop-file-utils appstream dpkg-dev file

step "Release build"
cmake -S "$TXCONFIG_ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX=/usr -DBUILD_TESTING=OFF -DTXCONFIG_BUILD_BENCH=OFF >/dev/null
cmake --build "$BUILD_DIR" --parallel "$(nproc)"

step "Install into a staging folder"
stage="$BUILD_DIR/stage"
rm -rf "$stage"
DESTDIR="$stage" cmake --install "$BUILD_DIR" >/dev/null

expected=(
    usr/bin/txconfig
    usr/bin/txsim
    usr/bin/txctl
    "usr/share/applications/$APP_ID.desktop"
    "usr/share/metainfo/$APP_ID.metainfo.xml"
    "usr/share/icons/hicolor/48x48/apps/$APP_ID.png"
    "usr/share/icons/hicolor/256x256/apps/$APP_ID.png"
    "usr/share/icons/hicolor/scalable/apps/$APP_ID.svg"
)
installed=$(cd "$stage" && find . -type f | sed 's|^\./||' | sort)
wanted=$(printf '%s\n' "${expected[@]}" | sort)
[ "$installed" = "$wanted" ] ||
    fail "installed files differ from the expected list:"$'\n'"$(diff <(echo "$wanted") <(echo "$installed"))"
for exe in usr/bin/txconfig usr/bin/txsim usr/bin/txctl; do
    [ -x "$stage/$exe" ] || fail "$exe is not executable"
done
for size in 48 256; do
    file -b "$stage/usr/share/icons/hicolor/${size}x${size}/apps/$APP_ID.png" |
        grep -q "PNG image data, $size x $size" || fail "the ${size}px icon is not ${size}x${size}"
done
"$stage/usr/bin/txconfig" --version -platform offscreen
echo "$(echo "$installed" | wc -l) files in place"

step "Desktop entry"
desktop-file-validate "$stage/usr/share/applications/$APP_ID.desktop"
echo "valid"

step "AppStream metadata"
appstreamcli validate --no-net --explain "$stage/usr/share/metainfo/$APP_ID.metainfo.xml"
appstreamcli validate-tree --no-net "$stage/usr"

step "Debian package"
rm -f "$BUILD_DIR"/txconfig_*.deb
(cd "$BUILD_DIR" && cpack -G DEB >/dev/null)
deb=$(ls "$BUILD_DIR"/txconfig_*.deb)
dpkg-deb --info "$deb"
depends=$(dpkg-deb --field "$deb" Depends)
for lib in libqt5widgets5 libqt5serialport5 libstdc++6; do
    grep -q "$lib" <<<"$depends" || fail "Depends lacks $lib: $depends"
done
packaged=$(dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ {print $NF}' | sed 's|^\./||' | sort)
[ "$packaged" = "$wanted" ] ||
    fail "package contents differ from the expected list:"$'\n'"$(diff <(echo "$wanted") <(echo "$packaged"))"
dpkg-deb --contents "$deb"

if command -v lintian >/dev/null; then
    step "lintian (for information)"
    lintian --no-tag-display-limit "$deb" || true
fi

step "Release check passed in $((SECONDS - started)) s: $deb"
