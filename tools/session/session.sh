# shellcheck shell=bash
# Sourced by scripts/run, scripts/screenshots, tests/support/with-display.sh and the shell tests:
# a private X display with a tray host, the service simulator on a free port, and the client's
# own configuration and runtime folders. What they start goes into the array `pids`;
# stop_started ends it, last first. Safe under `set -euo pipefail`.
pids=()

# shellcheck disable=SC2317 # called by the caller's trap
stop_started() {
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null || true
    done
    wait 2>/dev/null || true
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

# start_simulator SIMULATOR WORK [OPTIONS...]: starts it on a free port with the options, its
# lines in WORK/sim.log, and sets `port`.
start_simulator() {
    local simulator=$1 work=$2
    shift 2
    "$simulator" --port 0 "$@" >"$work/sim.log" 2>&1 &
    pids+=($!)
    until_true 300 grep -qs 'http://127\.0\.0\.1:[0-9]' "$work/sim.log" || {
        echo "the simulator did not start:" >&2
        cat "$work/sim.log" >&2
        return 1
    }
    port=$(sed -n '1s|.*http://127\.0\.0\.1:\([0-9][0-9]*\).*|\1|p' "$work/sim.log")
}

# client_folders WORK: a configuration naming the simulator's port and a session runtime folder
# of its own (no other client on the machine takes the start over), exported for the client.
client_folders() {
    mkdir -p "$1/data/zel/torvo/torvo-gui" "$1/runtime"
    chmod 700 "$1/runtime"
    printf '{\n    "port": %s\n}\n' "$port" >"$1/data/zel/torvo/torvo-gui/gui_settings.json"
    export PROGRAMDATA="$1/data" XDG_RUNTIME_DIR="$1/runtime"
}

# start_display SIZE DPI: a private Xvfb screen of SIZE (WxH) pixels, exported as DISPLAY.
start_display() {
    # -displayfd lets Xvfb choose a free display and tell us which one once it accepts clients.
    # -noreset: by default the server resets whenever its last client leaves, and a program that
    # connects meanwhile (the client, right after a probe's quick look) is refused.
    local fifo number=
    fifo=$(mktemp -u) && mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 "${1}x24" -dpi "$2" -nolisten tcp -noreset 3>"$fifo" >/dev/null 2>&1 &
    pids+=($!)
    read -r -t 30 number <"$fifo" || true
    rm -f "$fifo"
    [ -n "$number" ] || { echo "Xvfb did not start" >&2; return 1; }
    export DISPLAY=":$number" QT_QPA_PLATFORM=xcb
    unset WAYLAND_DISPLAY
}

# Whether the screen's system tray selection has an owner (Xlib through ctypes: no tool in
# Debian prints a selection's owner).
tray_owned() {
    python3 - <<'PY'
import ctypes, sys
x = ctypes.cdll.LoadLibrary("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XInternAtom.restype = ctypes.c_ulong
x.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x.XGetSelectionOwner.restype = ctypes.c_ulong
x.XCloseDisplay.argtypes = [ctypes.c_void_p]
display = x.XOpenDisplay(None)
if not display:
    sys.exit(1)
owner = x.XGetSelectionOwner(display, x.XInternAtom(display, b"_NET_SYSTEM_TRAY_S0", 0))
x.XCloseDisplay(display)
sys.exit(0 if owner else 1)
PY
}

# start_tray_host: a system tray (trayer) on the display, and waits until it owns the tray
# selection. "With a tray" means the tray is there when the client starts: a Qt program that
# sees it come up later re-creates its icon on the tray's announcement and drops a balloon shown
# meanwhile; a slow first start of trayer on a fresh machine made that race real.
start_tray_host() {
    trayer --edge top --align right --widthtype request --height 24 >/dev/null 2>&1 &
    pids+=($!)
    local trayer=$! deadline=$((SECONDS + 60))
    until tray_owned; do
        if [ $SECONDS -ge $deadline ] || ! kill -0 "$trayer" 2>/dev/null; then
            echo "the tray host did not come up" >&2
            return 1
        fi
        sleep 0.1
    done
}
