#!/usr/bin/env bash
# Sets up, builds and starts txconfig together with the virtual transmitter.
#   ./scripts/run.sh            txsim on /tmp/txsim0 (or $TXSIM_LINK), then txconfig on it
#   ./scripts/run.sh --no-sim   txconfig only, for a real transmitter
# Other arguments go to txconfig. Without a display the window is served over
# VNC (port 5900).
set -euo pipefail
source "$(dirname "$0")/setup.sh"

use_sim=1
args=()
for a in "$@"; do
    if [ "$a" = "--no-sim" ]; then use_sim=0; else args+=("$a"); fi
done

install_missing
configure_and_build

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    export QT_QPA_PLATFORM="vnc:size=1100x680:port=5900"
    echo "No display: connect a VNC viewer to $(hostname):5900 (localhost:5900 here)."
fi

if [ "$use_sim" = 1 ]; then
    link="${TXSIM_LINK:-/tmp/txsim0}"
    [ -L "$link" ] && rm -f "$link" # a link left by a run that died would look ready
    "$BUILD_DIR/tools/txsim/txsim" --link "$link" > >(trap '' INT; sed -u 's/^/[txsim] /') &
    sim_pid=$!
    trap 'kill "$sim_pid" 2>/dev/null; wait "$sim_pid" 2>/dev/null || true' EXIT
    for _ in $(seq 50); do
        [ -e "$link" ] && break
        sleep 0.1
    done
    [ -e "$link" ] || { echo "txsim did not start" >&2; exit 1; }
    args=(--port "$link" "${args[@]}")
fi

"$BUILD_DIR/src/app/txconfig" "${args[@]}"
