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
    # "With a tray" means the tray is there when the command starts. A Qt program that sees it
    # come up later re-creates its icon on the tray's announcement and drops a balloon shown
    # meanwhile; a slow first start of trayer on a fresh machine made that race real.
    deadline=$((SECONDS + 60))
    until tray_owned; do
        if [ $SECONDS -ge $deadline ] || ! kill -0 "$trayer_pid" 2>/dev/null; then
            echo "with-display.sh: the tray host did not come up" >&2
            exit 2
        fi
        sleep 0.1
    done
fi

"$@"
exit $?
