#!/usr/bin/env bash
# Measures the tests by planted faults: each mutant in tests/mutants is put
# into the source on its own, the build brought up to date, the suites it
# names run; a failing run kills it. Prints each outcome, the kill ratio and
# the survivors; every source file is put back as it was, also on Ctrl+C.
#   ./scripts/mutants.sh [--build DIR] [--sample N] [--check] [NAME...]
# NAME picks mutants by file name (without .mutant); --sample N picks N of
# them from the commit hash (CI), so that every commit tries others; --check
# only tells whether each mutant still applies, without building.
# Exit status: 0 when no mutant survived, 1 when one did, 2 when a mutant no
# longer applies (its text is gone from the source) or does not build.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD_DIR="$ROOT/build"
sample=0
check=0
names=()
while [ $# -gt 0 ]; do
    case "$1" in
    --build) BUILD_DIR="$(cd "$2" && pwd)"; shift 2 ;;
    --sample) sample="$2"; shift 2 ;;
    --check) check=1; shift ;;
    -h | --help) sed -n '2,13p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) names+=("$1"); shift ;;
    esac
done
[ -f "$BUILD_DIR/CMakeCache.txt" ] || { echo "no build in $BUILD_DIR (run scripts/test.sh first)" >&2; exit 2; }
export QT_QPA_PLATFORM=offscreen

mutants=()
if [ ${#names[@]} -gt 0 ]; then
    for n in "${names[@]}"; do mutants+=("$ROOT/tests/mutants/${n%.mutant}.mutant"); done
else
    mutants=("$ROOT"/tests/mutants/*.mutant)
fi
if [ "$sample" -gt 0 ]; then
    # A sample asks whether the suites still catch what they caught: the
    # known survivors (a "survives:" line naming the test still missing) are
    # counted by full runs only.
    caught_before=()
    for m in "${mutants[@]}"; do grep -q '^survives:' "$m" || caught_before+=("$m"); done
    mutants=("${caught_before[@]}")
    # Indices from successive pieces of the commit hash, each mutant once.
    hash="$(git -C "$ROOT" rev-parse HEAD)"
    picked=()
    for ((i = 0; ${#picked[@]} < sample && i + 6 <= ${#hash}; i += 6)); do
        m="${mutants[$((16#${hash:i:6} % ${#mutants[@]}))]}"
        [[ " ${picked[*]} " == *" $m "* ]] || picked+=("$m")
    done
    mutants=("${picked[@]}")
fi

# The one file changed at a time and its original bytes.
changed=""
backup="$(mktemp)"
restore() {
    if [ -n "$changed" ]; then
        cp "$backup" "$changed"
        changed=""
    fi
}
trap 'restore; rm -f "$backup"' EXIT
trap 'exit 130' INT TERM

field() { sed -n "s/^$1: \{0,1\}//p" "$2" | head -n 1; }

# Whether the suites fail, in the order named, stopping at the first that
# does: "tst_x" runs the suite through ctest, "tst_x:function" runs one test
# function of it (a quicker kill for a long suite); nothing named runs all.
caught() {
    [ -n "$1" ] || { ! ctest --test-dir "$BUILD_DIR" --timeout 300 --parallel 2 >>"$log" 2>&1; return; }
    local entry exe
    for entry in $1; do
        if [ "${entry#*:}" = "$entry" ]; then
            ctest --test-dir "$BUILD_DIR" -R "^$entry\$" --timeout 300 >>"$log" 2>&1 || return 0
        else
            exe="$(find "$BUILD_DIR/tests" -type f -name "${entry%%:*}" -perm -u+x | head -n 1)"
            (cd "$(dirname "$exe")" && timeout 300 "$exe" "${entry#*:}") >>"$log" 2>&1 || return 0
        fi
    done
    return 1
}

killed=0 survived=0 broken=0 equivalent=0
survivors=()
log="$BUILD_DIR/mutants.log"
: >"$log"
for mutant in "${mutants[@]}"; do
    name="$(basename "$mutant" .mutant)"
    file="$ROOT/$(field file "$mutant")"
    find="$(field find "$mutant")"
    replace="$(field replace "$mutant")"
    suites="$(field tests "$mutant")"
    if [ ! -f "$mutant" ] || [ ! -f "$file" ] || [ -z "$find" ]; then
        echo "BROKEN    $name: no such mutant, file or find text"
        broken=$((broken + 1))
        continue
    fi
    IFS= read -r -d '' content <"$file" || true
    rest="${content//"$find"/}"
    if [ $(((${#content} - ${#rest}) / ${#find})) -ne 1 ]; then
        echo "BROKEN    $name: the find text is not in $(field file "$mutant") exactly once"
        broken=$((broken + 1))
        continue
    fi
    if [ "$check" = 1 ]; then
        echo "applies   $name"
        continue
    fi
    cp "$file" "$backup"
    changed="$file"
    printf '%s' "${content/"$find"/"$replace"}" >"$file"
    start=$SECONDS
    # Only what the named suites run is rebuilt (their programs come along as
    # dependencies); the whole build is brought back once at the end.
    targets=()
    for entry in $suites; do targets+=(--target "${entry%%:*}"); done
    if ! cmake --build "$BUILD_DIR" --parallel 2 "${targets[@]}" >>"$log" 2>&1; then
        echo "BROKEN    $name: does not build (see $log)"
        broken=$((broken + 1))
        restore
        continue
    fi
    if ! caught "$suites"; then
        if grep -q '^equivalent:' "$mutant"; then
            echo "EQUIVALENT $name: $(field equivalent "$mutant")"
            equivalent=$((equivalent + 1))
        else
            echo "SURVIVED  $name ($((SECONDS - start)) s)"
            survived=$((survived + 1))
            survivors+=("$name")
        fi
    else
        echo "killed    $name ($((SECONDS - start)) s)"
        killed=$((killed + 1))
    fi
    restore
done
[ "$check" = 0 ] || { [ "$broken" -eq 0 ] && exit 0 || exit 2; }
# Leave the build matching the untouched source.
cmake --build "$BUILD_DIR" --parallel 2 >>"$log" 2>&1 || true

measured=$((killed + survived))
echo
if [ "$measured" -gt 0 ]; then
    echo "killed $killed of $measured mutants ($((100 * killed / measured)) %)," \
        "$equivalent shown to change no behaviour, $broken broken"
else
    echo "no mutant measured, $broken broken"
fi
[ ${#survivors[@]} -eq 0 ] || echo "survivors: ${survivors[*]}"
[ "$broken" -eq 0 ] || exit 2
[ "$survived" -eq 0 ] || exit 1
