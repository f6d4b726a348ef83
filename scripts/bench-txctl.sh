#!/usr/bin/env bash
# Times txctl against the virtual transmitter at its default pacing: a complete
# read, and a verified write (backup read, S/G/H with the designed 800 ms
# pauses, verifying read). Wall time of the whole process, N runs each; then
# one verified write to 1, 4 and 16 transmitters at once (bench_manyports).
# Writes the "txctl against the virtual transmitter" section of docs/performance.md.
#
#   scripts/bench-txctl.sh [--runs N]     (10)
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export BUILD_DIR="${BUILD_DIR:-$ROOT/build}"
RUNS=10
while [ $# -gt 0 ]; do
    case "$1" in
    --runs) RUNS="$2"; shift 2 ;;
    *) echo "usage: $0 [--runs N]" >&2; exit 2 ;;
    esac
done

source "$ROOT/scripts/setup.sh"
install_missing
[ -f "$BUILD_DIR/CMakeCache.txt" ] || cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja
cmake --build "$BUILD_DIR" --target txctl txsim bench_manyports

TXCTL="$BUILD_DIR/src/cli/txctl"
TXSIM="$BUILD_DIR/tools/txsim/txsim"
OUT="$ROOT/docs/performance.md"
WORK="$(mktemp -d)"
SIM_PID=""
cleanup() {
    [ -z "$SIM_PID" ] || kill "$SIM_PID" 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT
export XDG_DATA_HOME="$WORK/data" # the backups stay out of the user's history

"$TXSIM" --link "$WORK/tx" --state "$WORK/state.txt" >"$WORK/sim.log" &
SIM_PID=$!
for _ in $(seq 50); do [ -e "$WORK/tx" ] && break; sleep 0.1; done
cp "$WORK/state.txt" "$WORK/model.txt"

now() { date +%s.%N; }
# Runs "$@" RUNS times; one line of seconds per run into $WORK/$name.
measure() {
    local name="$1"; shift
    : >"$WORK/$name"
    for _ in $(seq "$RUNS"); do
        local t0 t1
        t0=$(now)
        "$@" >/dev/null
        t1=$(now)
        awk -v a="$t0" -v b="$t1" 'BEGIN { print b - a }' >>"$WORK/$name"
    done
}
# min median max in seconds, two decimals.
summary() {
    sort -n "$WORK/$1" | awk '{ v[NR] = $1 } END {
        m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
        printf "%.2f | %.2f | %.2f", v[1], m, v[NR] }'
}

measure read "$TXCTL" read --port "$WORK/tx" -o "$WORK/read.txt"
measure write "$TXCTL" write --port "$WORK/tx" "$WORK/model.txt"
measure nobackup "$TXCTL" write --port "$WORK/tx" --no-backup --no-verify "$WORK/model.txt"
cmp -s "$WORK/read.txt" "$WORK/model.txt" || { echo "read gave other settings" >&2; exit 1; }
kill "$SIM_PID" 2>/dev/null || true
SIM_PID=""
MANY_RUNS=$(( RUNS < 3 ? RUNS : 3 ))
"$BUILD_DIR/bench/bench_manyports" --txsim "$TXSIM" --txctl "$TXCTL" --runs "$MANY_RUNS" \
    >"$WORK/many.md"
cat "$WORK/many.md"

section="$(cat <<MD
<!-- txctl-begin: written by scripts/bench-txctl.sh -->
## txctl against the virtual transmitter

Wall time of the whole \`txctl\` process (start, open, exchange, "DIS", exit),
${RUNS} runs each, against \`txsim\` at its default pacing (a read reply's 19
frames 25 ms apart) on this machine ($(nproc) cores, shared).

| Command | Min (s) | Median (s) | Max (s) |
|---|---|---|---|
| \`read\`: "RR", aux and 18 settings frames, each acknowledged | $(summary read) |
| \`write\`: backup read, S/G/H each with 800 ms, "WWW", verifying read | $(summary write) |
| \`write --no-backup --no-verify\`: the frames and pauses only | $(summary nobackup) |

The designed pauses are 2.4 s of every write and never shorter: each runs
on a precise timer from the frame's last byte and is taken up again if woken
early, so a write takes at least 2.4 s plus its read-back. A read-back that
differs from what was written costs 1 s of quiet and one more request before
it is reported. A read ends 150 ms after its last frame only when a retried
request's reply is still coming.

### Many transmitters at once

One \`txctl write model.txt --port A --port B ...\`: each port in its own
thread with its own backup read, frames with the designed pauses and verifying
read; ${MANY_RUNS} runs per count, each txsim its own process (goal: 16 in at
most 1.2 times the time of one).

$(cat "$WORK/many.md")
<!-- txctl-end -->
MD
)"
if grep -q '<!-- txctl-begin' "$OUT"; then
    python3 - "$OUT" "$section" <<'PY'
import re, sys
path, section = sys.argv[1], sys.argv[2]
text = open(path).read()
text = re.sub(r"<!-- txctl-begin.*?<!-- txctl-end -->", lambda m: section, text, flags=re.S)
open(path, "w").write(text)
PY
else
    printf '\n%s\n' "$section" >>"$OUT"
fi
echo "== wrote the txctl section of $OUT"
