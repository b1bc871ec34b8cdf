#!/usr/bin/env bash
# Runs a command on a private Xvfb display, optionally with a system tray host (trayer), and
# removes both afterwards. Usage: with-display.sh [--tray] [--size WxH] [--dpi N] -- COMMAND [ARGS...]
set -u
tray=0 size=1280x1024 dpi=96
while [ $# -gt 0 ]; do
    case "$1" in
        --tray) tray=1; shift ;;
        --size) size=$2; shift 2 ;;
        --dpi) dpi=$2; shift 2 ;;
        --) shift; break ;;
        *) break ;;
    esac
done
[ $# -gt 0 ] || { echo "with-display.sh: no command" >&2; exit 2; }

# -displayfd lets Xvfb choose a free display and tell us which one once it accepts clients.
# -noreset: by default the server resets whenever its last client leaves, and a program that
# connects meanwhile (the client under test, right after a probe's quick look) is refused.
fifo=$(mktemp -u) && mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 "${size}x24" -dpi "$dpi" -nolisten tcp -noreset 3>"$fifo" >/dev/null 2>&1 &
xvfb=$!
read -r -t 30 number <"$fifo"
rm -f "$fifo"
[ -n "${number:-}" ] || { echo "with-display.sh: Xvfb did not start" >&2; kill $xvfb 2>/dev/null; exit 2; }
export DISPLAY=":$number" QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY

trayer_pid=
# shellcheck disable=SC2317 # called by the trap
stop_display() {
    [ -n "$trayer_pid" ] && kill "$trayer_pid" 2>/dev/null
    kill $xvfb 2>/dev/null
}
trap stop_display EXIT
trap 'exit 143' INT TERM
if [ $tray = 1 ]; then
    trayer --edge top --align right --widthtype request --height 24 >/dev/null 2>&1 &
    trayer_pid=$!
fi

"$@"
exit $?
