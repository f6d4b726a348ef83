#!/usr/bin/env bash
# Reads by the window and by txctl against txsim behind each kind of USB serial
# adapter (bench/adapterreads.cpp); writes one table, under a label, into the
# "Reads through USB adapters" section of docs/performance.md. Tables under
# other labels stay, so the section can hold one from before a change and one
# from after. About 15 minutes with 30 reads per row.
#
#   scripts/bench-adapters.sh [--reads N] [--label TEXT]   (30, "current tree")
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export BUILD_DIR="${BUILD_DIR:-$ROOT/build}"
READS=30
LABEL="current tree"
while [ $# -gt 0 ]; do
    case "$1" in
    --reads) READS="$2"; shift 2 ;;
    --label) LABEL="$2"; shift 2 ;;
    *) echo "usage: $0 [--reads N] [--label TEXT]" >&2; exit 2 ;;
    esac
done

source "$ROOT/scripts/setup.sh"
install_missing
[ -f "$BUILD_DIR/CMakeCache.txt" ] || cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja
cmake --build "$BUILD_DIR" --target txctl txsim bench_adapterreads

OUT="$ROOT/docs/performance.md"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
export QT_QPA_PLATFORM=offscreen
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    export XDG_RUNTIME_DIR="$WORK/runtime"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
fi

COMMAND="scripts/bench-adapters.sh --reads $READS --label \"$LABEL\""
LOAD_BEFORE="$(cut -d' ' -f1-3 /proc/loadavg)"
STARTED="$(date -u '+%Y-%m-%d %H:%M UTC')"
"$BUILD_DIR/bench/bench_adapterreads" --txsim "$BUILD_DIR/tools/txsim/txsim" \
    --txctl "$BUILD_DIR/src/cli/txctl" --reads "$READS" >"$WORK/rows"
LOAD_AFTER="$(cut -d' ' -f1-3 /proc/loadavg)"

table="$(cat <<MD
<!-- adapters-table-begin: $LABEL -->
### $LABEL

Commit $(git -C "$ROOT" rev-parse --short HEAD), started $STARTED, $READS reads per row
by each reader, load average $LOAD_BEFORE before and $LOAD_AFTER after;
\`$COMMAND\`.

| Adapter | Reply | Stream during the reply | Window: complete reads | Window: servo frames decoded | Window: made-up frames | txctl: complete reads |
|---|---|---|---|---|---|---|
$(cat "$WORK/rows")
<!-- adapters-table-end: $LABEL -->
MD
)"
intro="$(cat <<'MD'
<!-- adapters-begin: tables written by scripts/bench-adapters.sh -->
## Reads through USB adapters

`bench_adapterreads` starts `txsim --adapter A --reply R [--stream-during-reply]`
for each adapter (`cdc`: each write one delivery; `ftdi:16`, `ftdi:1`:
62-byte packets or the latency timer; `ch340`: up to 32 bytes after 1 ms of
idle line), reply pacing (the 19 frames 5 ms apart, or each after the
reader's "WWW") and stream (paused or running during the reply). The window:
`MainWindow` on the offscreen platform opens txsim's link (the live stream
starts) and reads N times; before each read the store gets its start values
back, and txsim's settings differ from them in every one of the 19 frames, so
a read is complete only when every setting the frames carry equals txsim's.
Servo frames decoded: the servo frames txsim sent (its `--sent-log`) that the
window's decoder took, matched in order; made-up frames: frames the decoder
took that were never sent. txctl: `txctl read` N times against a second txsim
with the same options, complete when it exits 0 with a file equal to txsim's
state file.

<!-- adapters-end -->
MD
)"
python3 - "$OUT" "$intro" "$table" "$LABEL" <<'PY'
import re, sys
path, intro, table, label = sys.argv[1:]
text = open(path).read()
if "<!-- adapters-begin" not in text:
    text = text.rstrip("\n") + "\n\n" + intro + "\n"
begin = "<!-- adapters-table-begin: %s -->" % label
end = "<!-- adapters-table-end: %s -->" % label
if begin in text:
    text = re.sub(re.escape(begin) + ".*?" + re.escape(end), lambda m: table, text, flags=re.S)
else:
    text = text.replace("<!-- adapters-end -->", table + "\n\n<!-- adapters-end -->")
open(path, "w").write(text)
PY
echo "== wrote the \"$LABEL\" table of the adapter reads into $OUT"
