#!/usr/bin/env bash
# Part of check-package.sh, on its display: the installed client against the simulator.
# Usage: run-installed.sh TORVO_GUI SIMULATOR WORK_FOLDER
set -u
gui=$1 sim=$2 work=$3
# shellcheck source=../../tools/session/session.sh
source "$(dirname "$0")/../../tools/session/session.sh"
trap stop_started EXIT
fail() { echo "run-installed: $*" >&2; exit 1; }

start_simulator "$sim" "$work" || fail "no simulator"
client_folders "$work"
config="$PROGRAMDATA/zel/torvo/torvo-gui"
"$gui" >"$work/gui.err" 2>&1 &
pids+=($!)

# shellcheck disable=SC2317 # called through until_true
viewable() { xwininfo -name Torvo 2>/dev/null | grep -q 'Map State: IsViewable'; }
until_true 600 viewable || { cat "$work/gui.err" >&2; fail "the installed client shows no window"; }
until_true 300 grep -q 'GET /api/v1/dkktList 200' "$work/sim.log" || fail "the installed client did not reach the service"
grep -q 'Starting application.' "$config/log/gui.log" || fail "the installed client wrote no log"
grep -q 'Перевод Qt: ' "$config/log/gui.log" || fail "the installed client found no Russian translation of Qt"

# A second start hands over to the running client and leaves.
timeout 60 "$gui" || fail "a second start did not exit 0"
kill -0 "${pids[-1]}" 2>/dev/null || fail "the first client is gone"
