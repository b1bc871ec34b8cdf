#!/usr/bin/env bash
# Part of check-package.sh, on its display: the installed client against the simulator.
# Usage: run-installed.sh TORVO_GUI SIMULATOR WORK_FOLDER
set -u
gui=$1 sim=$2 work=$3
pids=()
# shellcheck disable=SC2317 # called by the trap
cleanup() {
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null
    done
    wait 2>/dev/null
}
trap cleanup EXIT
fail() { echo "run-installed: $*" >&2; exit 1; }
# Waits up to $1 tenths of a second for the command after it to succeed.
until_true() {
    local tenths=$1
    shift
    for ((n = 0; n < tenths; n++)); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

"$sim" --port 0 >"$work/sim.log" 2>&1 &
pids+=($!)
port_named() { grep -q 'http://127\.0\.0\.1:[0-9]' "$work/sim.log"; }
until_true 300 port_named || fail "the simulator did not start"
port=$(sed -n '1s|.*http://127\.0\.0\.1:\([0-9][0-9]*\).*|\1|p' "$work/sim.log")

config="$work/data/zel/torvo/torvo-gui"
mkdir -p "$config" "$work/runtime"
chmod 700 "$work/runtime"
printf '{\n    "port": %s\n}\n' "$port" >"$config/gui_settings.json"
export PROGRAMDATA="$work/data" XDG_RUNTIME_DIR="$work/runtime"
"$gui" >"$work/gui.err" 2>&1 &
pids+=($!)

viewable() { xwininfo -name Torvo 2>/dev/null | grep -q 'Map State: IsViewable'; }
until_true 600 viewable || { cat "$work/gui.err" >&2; fail "the installed client shows no window"; }
asked() { grep -q 'GET /api/v1/dkktList 200' "$work/sim.log"; }
until_true 300 asked || fail "the installed client did not reach the service"
grep -q 'Starting application.' "$config/log/gui.log" || fail "the installed client wrote no log"

# A second start hands over to the running client and leaves.
timeout 60 "$gui" || fail "a second start did not exit 0"
kill -0 "${pids[-1]}" 2>/dev/null || fail "the first client is gone"
