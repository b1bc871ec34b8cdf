#!/usr/bin/env bash
# The running client read through the real AT-SPI bus. Run inside dbus-run-session and
# with-display.sh --tray: starts the accessibility bus, then the simulator and the client, and
# connects the reader only once the client's window is up (an earlier reader sees no client).
# Usage: atspi-names.sh TORVO_GUI SIMULATOR X11TOOL
set -u
gui=$1 sim=$2 x11tool=$3
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
# shellcheck source=../../tools/session/session.sh
source "$here/../../tools/session/session.sh"
trap 'stop_started; rm -rf "$work"' EXIT

/usr/libexec/at-spi-bus-launcher --launch-immediately &
pids+=($!)

start_simulator "$sim" "$work" || exit 1
client_folders "$work"
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$gui" &
pids+=($!)
# shellcheck disable=SC2317 # called through until_true
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
