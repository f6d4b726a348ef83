#!/usr/bin/env bash
# Release check: a Release build installed into a staging folder, its desktop
# entry, AppStream file, manual pages and udev rule checked, then the Debian
# package built, inspected and passed through lintian, which must find no
# error and no warning. Non-zero on the first failure.
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
install_missing desktop-file-utils appstream dpkg-dev file lintian man-db udev umockdev

step "Release build"
# Debian's hardening flags, as a Debian build would set them (lintian looks).
flags() { DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1"; }
cmake -S "$TXCONFIG_ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX=/usr -DBUILD_TESTING=OFF -DTXCONFIG_BUILD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="$(flags CPPFLAGS) $(flags CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)" $(compiler_cache) >/dev/null
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
    usr/share/doc/txconfig/copyright
    usr/share/doc/txconfig/changelog.gz
    usr/share/man/man1/txconfig.1.gz
    usr/share/man/man1/txctl.1.gz
    usr/share/man/man1/txsim.1.gz
    usr/share/bash-completion/completions/txctl
    usr/lib/udev/rules.d/70-txconfig.rules
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

step "Manual pages"
for page in "$stage"/usr/share/man/man1/*.1.gz; do
    # groff's warnings are lintian's too; a page must render without any.
    warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
    MANWIDTH=80 man -l "$page" 2>/dev/null | grep -q '^NAME' || fail "$(basename "$page") renders no NAME"
    echo "$(basename "$page") renders"
done

step "udev rule on made-up adapters"
source "$(dirname "$0")/udev-check.sh"
check_udev_rule "$stage/usr/lib/udev/rules.d/70-txconfig.rules"

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

step "lintian"
# Errors and warnings fail the check. Pedantic and informational tags are
# shown too; none is overridden (the package has no overrides file).
lintian_status=0
report=$(lintian --fail-on error,warning --display-info --pedantic --tag-display-limit 0 \
    "$deb" 2>&1) || lintian_status=$?
echo "${report:-no tags}"
[ "$lintian_status" -eq 0 ] || fail "lintian finds errors or warnings, or could not run"

step "Release check passed in $((SECONDS - started)) s: $deb"
