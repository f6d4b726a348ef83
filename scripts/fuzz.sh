#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz and runs each for
# SECONDS (default 30), starting from the committed seeds. The corpus grows in
# build-fuzz/corpus, never in the repository. Exits non-zero when any target
# crashes, trips a sanitizer or breaks one of its invariants; the input that
# did it is left in build-fuzz/artifacts.
#   ./scripts/fuzz.sh [SECONDS]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export BUILD_DIR="$root/build-fuzz"
source "$root/scripts/setup.sh"
install_missing clang libclang-rt-14-dev

seconds="${1:-30}"
generator=()
[ -f "$BUILD_DIR/CMakeCache.txt" ] || generator=(-G Ninja)
cmake -S "$root" -B "$BUILD_DIR" "${generator[@]}" \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTXCONFIG_FUZZ=ON -DBUILD_TESTING=OFF -DTXCONFIG_BUILD_BENCH=OFF $(compiler_cache)
cmake --build "$BUILD_DIR" --parallel "$(nproc)" --target fuzz_all

export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export ASAN_OPTIONS="detect_leaks=1"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
mkdir -p "$BUILD_DIR/artifacts"
failed=()
read -r -a targets <<<"$(tr ';' ' ' <"$BUILD_DIR/fuzz/targets.txt")"
for t in "${targets[@]}"; do
    corpus="$BUILD_DIR/corpus/$t"
    mkdir -p "$corpus"
    cp "$root/fuzz/corpus/$t/"* "$corpus/" # the seeds again, in case one was reduced away
    echo "=== $t: ${seconds}s"
    if ! "$BUILD_DIR/fuzz/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$BUILD_DIR/artifacts/$t-" "$corpus" \
        >"$BUILD_DIR/$t.log" 2>&1; then
        failed+=("$t")
        tail -n 60 "$BUILD_DIR/$t.log"
    else
        grep -E '^stat::(number_of_executed_units|peak_rss_mb)|Done [0-9]+ runs' \
            "$BUILD_DIR/$t.log" || true
    fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz: failed: ${failed[*]} (inputs in $BUILD_DIR/artifacts)" >&2
    exit 1
fi
echo "fuzz: ${#targets[@]} targets ran ${seconds}s each without a finding"
