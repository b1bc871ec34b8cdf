# shellcheck shell=bash
# Sourced by the shell tests that run a client process against the simulator: waiting, the
# simulator on a free port, and the client's own configuration and runtime folders.
# What they start goes into the array `pids`; stop_started ends it, last first.
pids=()

# shellcheck disable=SC2317 # called by the caller's trap
stop_started() {
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null
    done
    wait 2>/dev/null
}

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

# start_simulator SIMULATOR WORK: starts it on a free port and sets `port`.
start_simulator() {
    "$1" --port 0 >"$2/sim.log" 2>&1 &
    pids+=($!)
    until_true 300 grep -qs 'http://127\.0\.0\.1:[0-9]' "$2/sim.log" || {
        echo "the simulator did not start" >&2
        return 1
    }
    port=$(sed -n '1s|.*http://127\.0\.0\.1:\([0-9][0-9]*\).*|\1|p' "$2/sim.log")
}

# client_folders WORK: a configuration naming the simulator's port and a session runtime folder
# of its own (no other client on the machine takes the start over), exported for the client.
client_folders() {
    mkdir -p "$1/data/zel/torvo/torvo-gui" "$1/runtime"
    chmod 700 "$1/runtime"
    printf '{\n    "port": %s\n}\n' "$port" >"$1/data/zel/torvo/torvo-gui/gui_settings.json"
    export PROGRAMDATA="$1/data" XDG_RUNTIME_DIR="$1/runtime"
}
