#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan and runs the whole test suite there. Fails on a failing test and
# on any sanitizer report, including one from a program a test starts (the
# virtual transmitter): reports go to files, which must stay empty.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export BUILD_DIR="$root/build-asan"
source "$root/scripts/setup.sh"
install_missing

sanitizers="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all"
configure_and_build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTXCONFIG_BUILD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="$sanitizers" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"

reports="$BUILD_DIR/sanitizer-reports"
rm -rf "$reports"
mkdir -p "$reports"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:log_path=$reports/asan"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:log_path=$reports/ubsan"

status=0
ctest --test-dir "$BUILD_DIR" --output-on-failure --parallel "$(nproc)" "$@" || status=$?

if compgen -G "$reports/*" >/dev/null; then
    for f in "$reports"/*; do
        echo "=== sanitizer report $(basename "$f")"
        cat "$f"
    done
    echo "sanitize: sanitizer reports found" >&2
    exit 1
fi
[ "$status" -eq 0 ] || { echo "sanitize: tests failed" >&2; exit "$status"; }
echo "sanitize: all tests passed without sanitizer reports"
