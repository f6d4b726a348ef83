#!/usr/bin/env bash
# Sets up, builds and starts txconfig together with the virtual transmitter.
#   ./scripts/run.sh            txsim on a link of this run's own (or $TXSIM_LINK), then
#                               txconfig on it
#   ./scripts/run.sh --no-sim   txconfig only, for a real transmitter
# Other arguments go to txconfig. Without a display the window runs on a
# virtual X server and is served over VNC on 127.0.0.1 only (port $VNC_PORT,
# 5900 by default); from another machine, reach it through an SSH tunnel.
set -euo pipefail
source "$(dirname "$0")/setup.sh"

use_sim=1
args=()
for a in "$@"; do
    if [ "$a" = "--no-sim" ]; then use_sim=0; else args+=("$a"); fi
done

headless=0
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    headless=1
fi
# The headless path alone needs the X server and the VNC server.
if [ "$headless" = 1 ]; then install_missing xvfb x11vnc; else install_missing; fi
configure_and_build

# Everything started here is stopped again by its process id when the run ends.
pids=()
run_dir="$(mktemp -d "${TMPDIR:-/tmp}/txconfig-run.XXXXXX")"
cleanup() {
    # A second signal (timeout(1) signals the whole group too) must not cut this short.
    trap '' INT TERM HUP
    local i
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null || true
        wait "${pids[i]}" 2>/dev/null || true
    done
    rm -rf "$run_dir"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

if [ "$headless" = 1 ]; then
    # A free display number, picked by the server itself; no TCP listener.
    Xvfb -displayfd 3 -nolisten tcp -screen 0 1100x680x24 3>"$run_dir/display" \
        >"$run_dir/xvfb.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do
        [ -s "$run_dir/display" ] && break
        sleep 0.1
    done
    [ -s "$run_dir/display" ] || { cat "$run_dir/xvfb.log" >&2; echo "Xvfb did not start" >&2; exit 1; }
    export DISPLAY=":$(cat "$run_dir/display")"
    vnc_port="${VNC_PORT:-5900}"
    # -localhost: bound to 127.0.0.1 only. No password, as only local users
    # (and SSH tunnels) can reach it.
    # It prints PORT=n once it listens.
    x11vnc -display "$DISPLAY" -localhost -rfbport "$vnc_port" -nopw -forever -shared \
        -quiet -o "$run_dir/x11vnc.log" >"$run_dir/x11vnc.out" 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do
        grep -q "^PORT=" "$run_dir/x11vnc.out" && break
        kill -0 "${pids[-1]}" 2>/dev/null || break
        sleep 0.1
    done
    grep -q "^PORT=$vnc_port\$" "$run_dir/x11vnc.out" || {
        tail -n 3 "$run_dir/x11vnc.log" >&2 || true
        echo "No VNC server on 127.0.0.1:$vnc_port (is the port taken? VNC_PORT=... picks another)" >&2
        exit 1
    }
    echo "No display: the window is served over VNC on 127.0.0.1:$vnc_port only. From another"
    echo "machine, run there: ssh -L $vnc_port:localhost:$vnc_port $(id -un)@$(hostname)"
    echo "and point a VNC viewer there at localhost:$vnc_port."
fi

if [ "$use_sim" = 1 ]; then
    # A link of this run's own: another run's txsim keeps its link.
    link="${TXSIM_LINK:-$run_dir/txsim}"
    # Ready once it says so: a link there may still be another run's.
    "$BUILD_DIR/tools/txsim/txsim" --link "$link" > >(trap '' INT
        tee "$run_dir/txsim.log" | sed -u 's/^/[txsim] /') &
    pids+=($!)
    ready() { grep -q "^txsim: listening on " "$run_dir/txsim.log" 2>/dev/null; }
    for _ in $(seq 50); do
        ready && break
        kill -0 "${pids[-1]}" 2>/dev/null || break
        sleep 0.1
    done
    ready || { echo "txsim did not start" >&2; exit 1; }
    echo "Virtual transmitter on $link"
    args=(--port "$link" "${args[@]}")
fi

# Waited for rather than run in the foreground, so that a signal to this
# script ends the run at once, cleaning up, instead of after the window closes.
"$BUILD_DIR/src/app/txconfig" "${args[@]}" &
pids+=($!)
wait "${pids[-1]}"
