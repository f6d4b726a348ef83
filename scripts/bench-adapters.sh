#!/usr/bin/env bash
# Reads by the window and by txctl against txsim behind each kind of USB serial
# adapter (bench/adapterreads.cpp); writes one table, under a label, into the
# "Reads through USB adapters" section of docs/performance.md. Tables under
# other labels stay, so the section can hold one from before a change and one
# from after. About 40 minutes with 30 reads per row; --only REGEXP keeps the
# rows whose txsim options match (say 'ftdi:(100|255)|stall').
#
#   scripts/bench-adapters.sh [--reads N] [--label TEXT] [--only REGEXP]   (30, "current tree")
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export BUILD_DIR="${BUILD_DIR:-$ROOT/build}"
READS=30
LABEL="current tree"
ONLY=""
while [ $# -gt 0 ]; do
    case "$1" in
    --reads) READS="$2"; shift 2 ;;
    --label) LABEL="$2"; shift 2 ;;
    --only) ONLY="$2"; shift 2 ;;
    *) echo "usage: $0 [--reads N] [--label TEXT] [--only REGEXP]" >&2; exit 2 ;;
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
[ -z "$ONLY" ] || COMMAND="$COMMAND --only '$ONLY'"
LOAD_BEFORE="$(cut -d' ' -f1-3 /proc/loadavg)"
STARTED="$(date -u '+%Y-%m-%d %H:%M UTC')"
"$BUILD_DIR/bench/bench_adapterreads" --txsim "$BUILD_DIR/tools/txsim/txsim" \
    --txctl "$BUILD_DIR/src/cli/txctl" --reads "$READS" --only "$ONLY" >"$WORK/rows"
LOAD_AFTER="$(cut -d' ' -f1-3 /proc/loadavg)"

table="$(cat <<MD
<!-- adapters-table-begin: $LABEL -->
### $LABEL

Commit $(git -C "$ROOT" rev-parse --short HEAD), started $STARTED, $READS reads per row
by each reader, load average $LOAD_BEFORE before and $LOAD_AFTER after;
\`$COMMAND\`.

| Adapter | Reply | Stream during the reply | Window reads: complete / reported / silently incomplete | Window: reads that asked again | Window: servo frames decoded | Window: made-up frames | txctl: complete reads |
|---|---|---|---|---|---|---|---|
$(cat "$WORK/rows")
<!-- adapters-table-end: $LABEL -->
MD
)"
intro="$(cat <<'MD'
<!-- adapters-begin: tables written by scripts/bench-adapters.sh -->
## Reads through USB adapters

`bench_adapterreads` starts `txsim --adapter A [--adapter-stall 60] --reply R
[--stream-during-reply]` for each adapter (`cdc`: each write one delivery;
`ftdi:16`, `ftdi:1`, `ftdi:100`, `ftdi:255`: 62-byte packets or the latency
timer, which users raise up to the chip's 255 ms; `ch340`: up to 32 bytes
after 1 ms of idle line; `ftdi:16, 60 ms stalls`: about one write in 20 has
the packet carrying one of its bytes held back 60 ms, and what follows waits
behind it), reply pacing (the 19 frames 5 ms apart, or each after the
reader's "WWW") and stream (paused or running during the reply). The stream's
servo values sweep over the whole range all the time (txsim's motion: eight
sines of different periods), so about one servo frame in 50 has a channel
byte of 0xAA, the byte that starts a settings frame. The window: `MainWindow`
on the offscreen platform opens txsim's link (the live stream starts) and
reads N times; before each read the store gets its start values back, and
txsim's settings differ from them in every one of the 19 frames. A read ends
when the other command buttons are enabled again (re-requests included); it is
complete when every setting the frames carry equals txsim's, reported when the
window put up a box meanwhile (the bench closes it and prints its text on
stderr), and silently incomplete otherwise. Servo frames decoded: the servo
frames txsim sent (its `--sent-log`) that the window's decoder took, matched
in order; made-up frames: frames the decoder took, in reads or on the live
display, that were never sent. txctl: `txctl read` N times against a second
txsim with the same options, complete when it exits 0 with a file equal to
txsim's state file.

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
