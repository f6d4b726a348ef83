#!/usr/bin/env bash
# Builds in Release into build-bench, measures the program side by side with
# its own form alone and an empty Qt window and against its goals, and writes
# docs/performance.md. Everything runs on the offscreen platform. Takes about
# four minutes after the build, and 15 more for the reads through USB adapters
# (scripts/bench-adapters.sh, which also runs alone).
#
#   scripts/bench.sh [--runs N]           everything; N start-up runs of each program (10)
#   scripts/bench.sh startup [--runs N]   the start-up figures alone (seconds): builds
#                                         only their harnesses and rewrites only the start-up
#                                         goals and the start-up section of docs/performance.md
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export BUILD_DIR="${BUILD_DIR:-$ROOT/build-bench}"
RUNS=10
STREAM_SECONDS=10
IDLE_SECONDS=10
SERVO_HZ=200
FAULT_SECONDS=6
ONLY_STARTUP=0
while [ $# -gt 0 ]; do
    case "$1" in
    --runs) RUNS="$2"; shift 2 ;;
    startup) ONLY_STARTUP=1; shift ;;
    *) echo "usage: $0 [startup] [--runs N]" >&2; exit 2 ;;
    esac
done

source "$ROOT/scripts/setup.sh"
install_missing
STARTUP_TARGETS=(bench_launch bench_firstpaint_empty bench_firstpaint_form bench_firstpaint_txconfig)
if [ "$ONLY_STARTUP" = 1 ]; then
    generator=()
    [ -f "$BUILD_DIR/CMakeCache.txt" ] || generator=(-G Ninja)
    cmake -S "$ROOT" -B "$BUILD_DIR" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release \
        -DTXCONFIG_BUILD_BENCH=ON
    cmake --build "$BUILD_DIR" --parallel "$(nproc)" --target "${STARTUP_TARGETS[@]}"
else
    configure_and_build -DCMAKE_BUILD_TYPE=Release -DTXCONFIG_BUILD_BENCH=ON
fi

export QT_QPA_PLATFORM=offscreen
BIN="$BUILD_DIR/bench"
LAUNCH="$BIN/bench_launch"
TXCONFIG="$BUILD_DIR/src/app/txconfig"
TXSIM="$BUILD_DIR/tools/txsim/txsim"
OUT="$ROOT/docs/performance.md"
WORK="$(mktemp -d)"
SIM_PID=""
cleanup() {
    [ -n "$SIM_PID" ] && kill "$SIM_PID" 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT
# Qt warns on every start without one; the warning is no part of a figure.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    export XDG_RUNTIME_DIR="$WORK/runtime"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
fi

# --- small helpers ------------------------------------------------------------
# value KEY FILE: the value of the last KEY=value line
value() { sed -n "s/^$1=//p" "$2" | tail -n 1; }
# median of the numbers on stdin, one per line
median() {
    sort -g | awk '{ v[NR] = $1 } END {
        if (NR == 0) { print "n/a"; exit }
        m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
        print (m == int(m) ? m : sprintf("%.2f", m)) }'
}
# verdict MEASURED LIMIT: pass when MEASURED <= LIMIT
verdict() { awk -v m="$1" -v l="$2" 'BEGIN { print (m + 0 <= l + 0) ? "pass" : "**miss**" }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
load() { cut -d' ' -f1-3 /proc/loadavg; }

LOAD_BEFORE="$(load)"

# --- start-up: first paint and peak memory ------------------------------------
echo "== start-up, $RUNS runs of each"
STARTUP_PROGRAMS=(empty label form txconfig)
for which in "${STARTUP_PROGRAMS[@]}"; do : >"$WORK/$which"; done
# launch_start WHICH: one start-up run of the empty window, the labelled one,
# the form alone or the tool's window, with the launcher's report on stdout
launch_start() {
    case "$1" in
    empty) "$LAUNCH" -- "$BIN/bench_firstpaint_empty" ;;
    label) "$LAUNCH" -- "$BIN/bench_firstpaint_empty" --label ;;
    form) "$LAUNCH" -- "$BIN/bench_firstpaint_form" ;;
    txconfig) "$LAUNCH" -- "$BIN/bench_firstpaint_txconfig" ;;
    esac 2>/dev/null
}
STARTUP_LOAD_BEFORE="$(load)"
# One unmeasured run each fills the page cache; then they take turns, so all
# see the same machine.
for which in "${STARTUP_PROGRAMS[@]}"; do
    launch_start "$which" >/dev/null
done
for _ in $(seq "$RUNS"); do
    for which in "${STARTUP_PROGRAMS[@]}"; do
        launch_start "$which" >"$WORK/run"
        echo "$(value first_paint_ms "$WORK/run") $(value max_rss_kib "$WORK/run")" \
            >>"$WORK/$which"
    done
done
STARTUP_# --- the event loop while a write's output stalls -------------------------------
echo "== event loop during writes through a stalled port"
STALL_ROWS="$("$BIN/bench_writestall")"

LOAD_AFTER="$(load)"
EMPTY_MS="$(cut -d' ' -f1 "$WORK/empty" | median)"
EMPTY_KIB="$(cut -d' ' -f2 "$WORK/empty" | median)"
LABEL_MS="$(cut -d' ' -f1 "$WORK/label" | median)"
LABEL_KIB="$(cut -d' ' -f2 "$WORK/label" | median)"
FORM_MS="$(cut -d' ' -f1 "$WORK/form" | median)"
FORM_KIB="$(cut -d' ' -f2 "$WORK/form" | median)"
TOOL_MS="$(cut -d' ' -f1 "$WORK/txconfig" | median)"
TOOL_KIB="$(cut -d' ' -f2 "$WORK/txconfig" | median)"
TIME_RATIO="$(ratio "$TOOL_MS" "$FORM_MS")"
RSS_RATIO="$(ratio "$TOOL_KIB" "$FORM_KIB")"
spread() { cut -d' ' -f"$2" "$WORK/$1" | sort -g | sed -n '1p;$p' | paste -sd- -; }

# The start-up goal rows and section, also spliced alone into an existing report.
startup_goal_rows() {
    cat <<EOF
| Start-up to first paint | at most 1.1x the form alone | ${TIME_RATIO}x | $(verdict "$TIME_RATIO" 1.1) |
| Peak memory at first paint | at most 1.1x the form alone | ${RSS_RATIO}x | $(verdict "$RSS_RATIO" 1.1) |
EOF
}
startup_section() {
    cat <<EOF
## Start-up

Measured on $(date -u '+%Y-%m-%d %H:%M UTC'), load average $STARTUP_LOAD_BEFORE before and
$STARTUP_LOAD_AFTER after (\`scripts/bench.sh startup\` measures this section alone).

Time from the exec of the process to the end of the first paint of its
window, and the process's peak resident memory (max RSS from \`wait4\`), median
of $RUNS runs each (range in brackets; the programs take turns, after one
unmeasured run each that fills the page cache). Each harness exits at the
first paint:

- \`bench_firstpaint_txconfig\` builds \`MainWindow\` as \`main\` does and shows it;
- \`bench_firstpaint_form\` builds the generated form (\`Ui::MainWindow::setupUi\`)
  on a plain \`QMainWindow\` and shows it, with no window logic: no port list,
  no display timer, no slots to connect, and the form stays on the page it
  selects itself (the basic menu), where \`txconfig\` switches to the first;
- \`bench_firstpaint_empty\` shows an empty \`QMainWindow\` of the same 1100 x 680.

The start is stamped by \`bench_launch\` with \`CLOCK_MONOTONIC\` in the child
right before \`execvp\` and handed over in the environment, so the figure
includes the dynamic loading of Qt. The kernel's start time in
\`/proc/self/stat\` would need no launcher but counts in 10 ms ticks. "First
paint" is an event filter on the window that sees its first \`QEvent::Paint\`
and then a zero timer, which fires once the children of that paint pass are
painted too.

| Program | First paint | Peak memory |
|---|---|---|
| the form alone | ${FORM_MS} ms ($(spread form 1)) | ${FORM_KIB} KiB ($(spread form 2)) |
| txconfig window | ${TOOL_MS} ms ($(spread txconfig 1)) | ${TOOL_KIB} KiB ($(spread txconfig 2)) |
| ratio, txconfig to the form alone | ${TIME_RATIO}x | ${RSS_RATIO}x |
| for scale: empty QMainWindow | ${EMPTY_MS} ms ($(spread empty 1)) | ${EMPTY_KIB} KiB ($(spread empty 2)) |
| for scale: empty window with one bold Chinese label | ${LABEL_MS} ms ($(spread label 1)) | ${LABEL_KIB} KiB ($(spread label 2)) |
| for scale: ratio, txconfig to the empty window | $(ratio "$TOOL_MS" "$EMPTY_MS")x | $(ratio "$TOOL_KIB" "$EMPTY_KIB")x |

The rows "for scale" are no goal: they show what Qt itself and the CJK font
cost before any of the form is built.

EOF
}

if [ "$ONLY_STARTUP" = 1 ]; then
    [ -f "$OUT" ] || { echo "no $OUT to update: run $0 without 'startup' first" >&2; exit 1; }
    startup_goal_rows >"$WORK/goals.md"
    startup_section >"$WORK/section.md"
    # The goal rows are replaced in place; the section runs from its heading
    # to the next one; the hand-kept notes are copied afresh, up to a heading
    # of their own or a section that another script keeps (an HTML comment).
    awk -v goals="$WORK/goals.md" -v section="$WORK/section.md" \
        -v notes="$ROOT/bench/findings.md" -v notesStart="$(head -n 1 "$ROOT/bench/findings.md")" '
        function put(file,   line) { while ((getline line < file) > 0) print line; close(file) }
        BEGIN { while ((getline line < notes) > 0) if (line ~ /^## /) noteHeading[line] = 1
                close(notes) }
        inNotes {
            if (!/^<!--/ && !(/^## / && !($0 in noteHeading))) next
            inNotes = 0; print "" }
        /^\| (Start-up to first paint|Peak memory at first paint) \|/ {
            if (!goalsDone) { put(goals); goalsDone = 1 }
            next }
        $0 == notesStart { put(notes); notesDone = 1; inNotes = 1; next }
        /^## / { skipping = 0 }
        /^## Start-up$/ { put(section); skipping = 1; sectionDone = 1; next }
        !skipping { print }
        END { if (!goalsDone || !sectionDone || !notesDone) exit 1 }' "$OUT" >"$WORK/out.md" ||
        { echo "$OUT lacks the start-up goals, the start-up section or the notes" >&2; exit 1; }
    cp "$WORK/out.md" "$OUT"
    echo "== updated the start-up figures in $OUT"
    exit 0
fi

# --- micro-benchmarks -----------------------------------------------------------
# gbench ... : medians of five repetitions as "| name | wall | CPU |" rows
gbench() {
    "$@" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
        --benchmark_format=csv 2>/dev/null |
        awk -F, 'function t(v, u) {
                if (v >= 1000 && u == "ns") { v /= 1000; u = "us" }
                if (v >= 1000 && u == "us") { v /= 1000; u = "ms" }
                return sprintf("%.3g %s", v, u) }
            $1 ~ /_median"?$/ {
            name = $1; gsub(/"/, "", name); sub(/_median$/, "", name)
            label = $8; gsub(/"/, "", label); if (label != "") name = name " (" label ")"
            printf "| %s | %s | %s |\n", name, t($3, $5), t($4, $5) }'
}
echo "== codec and window micro-benchmarks"
CODEC_ROWS="$(gbench "$BIN/bench_codec")"
WINDOW_ROWS="$(gbench "$BIN/bench_window")"

# --- the real program: peak memory and idle CPU -------------------------------
echo "== txconfig idle for ${IDLE_SECONDS} s, 3 runs"
IDLE_FROM=3000
IDLE_TO=$((IDLE_FROM + IDLE_SECONDS * 1000))
: >"$WORK/idle"
for _ in 1 2 3; do
    "$LAUNCH" --cpu-window-ms "$IDLE_FROM:$IDLE_TO" --stop-after-ms $((IDLE_TO + 500)) \
        -- "$TXCONFIG" >"$WORK/run" 2>/dev/null
    awk -v c="$(value window_cpu_ms "$WORK/run")" -v w="$(value window_ms "$WORK/run")" \
        -v r="$(value max_rss_kib "$WORK/run")" 'BEGIN { printf "%.2f %d\n", 100 * c / w, r }' \
        >>"$WORK/idle"
done
IDLE_PERCENT="$(cut -d' ' -f1 "$WORK/idle" | median)"
REAL_KIB="$(cut -d' ' -f2 "$WORK/idle" | median)"

# --- the window per page (its plots repaint only while shown) -----------------
echo "== window idle per page, ${IDLE_SECONDS} s each"
: >"$WORK/pages"
for page in tab tab_2 tab_3 tab_4 tab_5; do
    "$BIN/bench_windowcpu" --page "$page" --seconds "$IDLE_SECONDS" >"$WORK/run" 2>/dev/null
    echo "$page $(value cpu_percent "$WORK/run")" >>"$WORK/pages"
done
WORST_PAGE_PERCENT="$(cut -d' ' -f2 "$WORK/pages" | sort -g | tail -n 1)"
page_rows() {
    awk 'BEGIN { n["tab"] = "live channels"; n["tab_2"] = "trims, end points, delays, fail-safe"
                 n["tab_3"] = "dual rates, system, attitude, mixes 1-2"
                 n["tab_4"] = "mix 3, dual-rate curve"; n["tab_5"] = "mix 4, throttle curve" }
         { printf "| %s (`%s`) | %.2f %% |\n", n[$1], $1, $2 }' "$WORK/pages"
}

# --- link load: txsim streaming to the connected window -----------------------
echo "== link load: $SERVO_HZ servo frames/s for ${STREAM_SECONDS} s, 3 runs"
: >"$WORK/link"
for n in 1 2 3; do
    link="$WORK/tx$n"
    "$TXSIM" --link "$link" --servo-hz "$SERVO_HZ" --write-gap-ms 4 >"$WORK/sim.log" 2>&1 &
    SIM_PID=$!
    for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done
    "$BIN/bench_windowcpu" --link "$link" --seconds "$STREAM_SECONDS" >"$WORK/run" 2>/dev/null
    sleep 0.5
    kill "$SIM_PID" && wait "$SIM_PID" || true
    SIM_PID=""
    totals="$(sed -n 's/.*stream: \([0-9]*\) live frame(s) sent, \([0-9]*\) ack.*/\1 \2/p' \
        "$WORK/sim.log" | tail -n 1)"
    echo "$(value cpu_percent "$WORK/run") ${totals:-0 0}" >>"$WORK/link"
done
LINK_PERCENT="$(cut -d' ' -f1 "$WORK/link" | median)"
link_rows() {
    awk '{ printf "| %d | %d | %d | %d | %.2f %% |\n", NR, $2, $3, $2 - $3, $1 }' "$WORK/link"
}
UNACKED="$(awk '{ s += $2 - $3 } END { print s + 0 }' "$WORK/link")"

# --- frames through the stream framer under txsim's fault modes ---------------
echo "== stream framer under txsim's fault modes, ${FAULT_SECONDS} s each"
FAULT_ROWS="$("$BIN/bench_linkfaults" --txsim "$TXSIM" --seconds "$FAULT_SECONDS")"
FAULT_MODEL_ROWS="$("$BIN/bench_linkfaults" --offline)"

LOAD_AFTER="$(load)"

# --- the report ----------------------------------------------------------------
# The adapter reads keep their tables (one per label, e.g. before and after a change).
ADAPTER_SECTION="$(sed -n '/^<!-- adapters-begin/,/^<!-- adapters-end -->/p' "$OUT" 2>/dev/null || true)"
CXX_PATH="$(sed -n 's/^CMAKE_CXX_COMPILER:[A-Z]*=//p' "$BUILD_DIR/CMakeCache.txt")"
{
    cat <<EOF
# Performance

Written by \`scripts/bench.sh\` on $(date -u '+%Y-%m-%d %H:%M UTC'); run it again to
refresh every figure below except the hand-kept notes at the end.
All programs run with \`QT_QPA_PLATFORM=offscreen\`, built in Release.

| Machine | |
|---|---|
| Cores (\`nproc\`) | $(nproc) |
| CPU | $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1) |
| Memory | $(awk '/^MemTotal/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo) |
| OS | $(. /etc/os-release && echo "$PRETTY_NAME"), kernel $(uname -r) |
| Qt | $(pkg-config --modversion Qt5Core 2>/dev/null || echo unknown) |
| Compiler | $("$CXX_PATH" --version | head -n 1) |
| Load average (1, 5, 15 min) | $LOAD_BEFORE before, $LOAD_AFTER after |

The machine is shared: other builds may run beside the measurement, which
shows in the load average above. CPU times are the program's own and suffer
least from that; wall-clock start-up times suffer most, which is why the
form alone and the empty window are measured in the same run, alternating
with the tool.

## Goals

| Measure | Goal | Measured | Result |
|---|---|---|---|
$(startup_goal_rows)
| Idle CPU, \`txconfig\` as started, no traffic | under 2 % of one core | ${IDLE_PERCENT} % | $(verdict "$IDLE_PERCENT" 1.99) |
| Idle CPU, window on its costliest page | under 2 % of one core | ${WORST_PAGE_PERCENT} % | $(verdict "$WORST_PAGE_PERCENT" 1.99) |
| CPU while ${SERVO_HZ} servo frames/s stream | under 10 % of one core | ${LINK_PERCENT} % | $(verdict "$LINK_PERCENT" 9.99) |
| Every live frame acknowledged on its own | no frame unacknowledged | ${UNACKED} unacknowledged | $(verdict "$UNACKED" 0) |

$(startup_section)

## Idle cost

The real \`txconfig\` with no port open: utime + stime from \`/proc/PID/stat\`
at ${IDLE_FROM} ms and ${IDLE_SECONDS} s later (after start-up), as a share of one core.
Runs: $(cut -d' ' -f1 "$WORK/idle" | sed 's/$/ %/' | paste -sd, - | sed 's/,/, /g'); median ${IDLE_PERCENT} %.

Left open for $((IDLE_TO / 1000)) s, the same runs peak at ${REAL_KIB} KiB of resident memory
(median).

\`txconfig\` starts on the first page. The two curve plots repaint only while
their page is shown, so the window is also measured on each page, by
\`bench_windowcpu --page NAME\` (the window library with that page made
current; its own CPU from \`getrusage\` over ${IDLE_SECONDS} s, after a second of
settling):

| Page shown | CPU of one core |
|---|---|
$(page_rows)

## Link load

\`txsim --servo-hz ${SERVO_HZ} --write-gap-ms 4\` streams servo frames (plus its
5 status frames a second) for ${STREAM_SECONDS} s to \`bench_windowcpu --link PATH\`, which
links the window library, offers the simulator's link first in the port list,
shows \`MainWindow\`, clicks \`openButton\` (the port opens and "OK" starts the
stream) and measures its own CPU with \`getrusage\` from the click until the
end; then it clicks again, which sends "DIS". At "DIS" the simulator logs how
many live frames it wrote and how many "WWW" it read while streaming: the
window answers each delivery once, so a frame counts as acknowledged on its
own only if it arrived alone.

| Run | Live frames sent | "WWW" received | Unacknowledged | CPU of one core |
|---|---|---|---|---|
$(link_rows)

## Frames recovered under line faults

\`bench_linkfaults\` starts \`txsim --sent-log FILE\` in each fault mode, opens its
terminal as a serial port, starts the stream ("OK": 50 servo and 5 status
frames a second), reads the settings twice while it runs ("RR": the aux frame
and 18 settings frames each), stops after ${FAULT_SECONDS} s and matches, in order, the
frames each reader got against the frames sent. The stream framer (as
\`txctl\` reads) gets every delivery with its time and a tick every 5 ms; the
window's decoding takes each delivery as one frame. A frame counts only when
it is byte for byte one that was sent; "made up" counts framer frames that
were never sent.

| Fault mode | Frames sent (of them read replies) | Framer: recovered | Framer: read replies recovered | Framer: made up | Framer: bytes skipped | Window: recovered |
|---|---|---|---|---|---|---|
$FAULT_ROWS

The same line faults without a terminal (\`bench_linkfaults --offline\`): txsim's
fault code and the framer in one process, 20 000 writes 10 ms apart for each
of the seeds 1 to 5, a framer tick every 5 ms, and in two rows the second
piece of a split frame made up to 16 ms late on top of txsim's 2 ms, as a USB
adapter's latency timer may. Further rows put 1 to 3 random bytes and an FE
before every frame ("junk ending in FE"), or pass the line through an
FTDI-like adapter: bytes come off the wire at 115200 baud and are handed
over in 62-byte packets, or whatever is held when the latency timer (16 or
1 ms, restarted by every packet) expires, so deliveries cut frames anywhere;
there the writes jitter by up to 2 ms, and "replies back to back" sends the
19 frames of a read reply without pauses. No scheduler is involved, so the
figures repeat exactly. \`--trace\` names every made-up frame.

| Fault mode | Frames sent | Framer: recovered | Framer: made up | Framer: bytes skipped |
|---|---|---|---|---|
$FAULT_MODEL_ROWS

## Event loop during a stalled write

\`bench_writestall\` writes three 81-byte frames (pauses of 100 ms) through a
pseudo-terminal whose output is suspended from the first frame on for the
time given, as a stalled adapter's is, while a 1 ms timer ticks. The stall is
the widest gap between ticks: the longest the window would not respond.
Output that makes no progress for 2 s ends the write as cut short.

$STALL_ROWS

## Micro-benchmarks

Google Benchmark, median of 5 repetitions.

Codec (\`bench_codec\`): one delivery as the window handles it (decode, dual-rate
selection, validation) and building the three outbound frames.

| Benchmark | Wall time | CPU time |
|---|---|---|
$CODEC_ROWS

Window (\`bench_window\`): one display refresh plus the event processing that
paints what it changed, with nothing changed (on each page) and with every
live value moved; and one synchronous repaint of each curve plot on its page.

| Benchmark | Wall time | CPU time |
|---|---|---|
$WINDOW_ROWS

EOF
    cat "$ROOT/bench/findings.md"
} >"$OUT"
[ -z "$ADAPTER_SECTION" ] || printf '\n%s\n' "$ADAPTER_SECTION" >>"$OUT"
echo "== wrote $OUT"
# The file was written afresh: add txctl's figures again, and the reads
# through USB adapters of this tree.
"$ROOT/scripts/bench-txctl.sh"
"$ROOT/scripts/bench-adapters.sh"
