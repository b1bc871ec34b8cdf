#!/usr/bin/env bash
# The running client read through the real AT-SPI bus. Run inside dbus-run-session and
# with-display.sh --tray: starts the accessibility bus, then the simulator and the client, and
# connects the reader only once the client's window is up (an earlier reader sees no client).
# Usage: atspi-names.sh TORVO_GUI SIMULATOR X11TOOL
set -u
gui=$1 sim=$2 x11tool=$3
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
pids=()
# shellcheck disable=SC2317 # called by the trap
cleanup() {
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null
    done
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

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

/usr/libexec/at-spi-bus-launcher --launch-immediately &
pids+=($!)

"$sim" --port 0 >"$work/sim.log" 2>&1 &
pids+=($!)
port_named() { grep -q 'http://127\.0\.0\.1:[0-9]' "$work/sim.log"; }
until_true 300 port_named || { echo "atspi: the simulator did not start" >&2; exit 1; }
port=$(sed -n '1s|.*http://127\.0\.0\.1:\([0-9][0-9]*\).*|\1|p' "$work/sim.log")

mkdir -p "$work/data/zel/torvo/torvo-gui" "$work/runtime"
chmod 700 "$work/runtime"
printf '{\n    "port": %s\n}\n' "$port" >"$work/data/zel/torvo/torvo-gui/gui_settings.json"
PROGRAMDATA="$work/data" XDG_RUNTIME_DIR="$work/runtime" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$gui" &
pids+=($!)
viewable() { [ "$("$x11tool" state Torvo)" = viewable ]; }
until_true 600 viewable || { echo "atspi: the client's window did not appear" >&2; exit 1; }

# The client registers with the bus and builds its tree at its own pace on a loaded machine.
for _ in $(seq 60); do
    /usr/bin/python3 "$here/atspi_names.py"
    status=$?
    [ $status -ne 3 ] && exit $status
    sleep 1
done
echo "atspi: the client never appeared on the accessibility bus" >&2
exit 1
