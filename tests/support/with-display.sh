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

# shellcheck source=../../tools/session/session.sh
source "$(dirname "$0")/../../tools/session/session.sh"
trap stop_started EXIT
trap 'exit 143' INT TERM
start_display "$size" "$dpi" || exit 2
if [ $tray = 1 ]; then
    start_tray_host || exit 2
fi

"$@"
exit $?
