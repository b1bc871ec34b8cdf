#!/usr/bin/env bash
# The Windows installer as a till takes it, under Wine on the caller's display with a tray host
# (scripts/windows-test runs it inside with-display.sh --tray): installs it silently into a
# fresh Wine prefix with the given Windows version, runs the installed client against the native
# simulator (its window, its requests, the two files it writes with CR LF, its log), the end of
# the Windows session, the next session starting it, a second start, and the silent uninstaller.
# Usage: check-installer.sh INSTALLER SIMULATOR win10|win7 [SCREENSHOT.png]
set -u
installer=$(realpath "$1") sim=$(realpath "$2") version=$3 shot=${4:-}
# shellcheck source=../../tools/session/session.sh
source "$(dirname "$0")/../../tools/session/session.sh"
work=$(mktemp -d -t torvo-installer.XXXXXX)
export WINEPREFIX=$work/prefix WINEDEBUG=-all
unset QT_QPA_PLATFORM WINEPATH QT_PLUGIN_PATH
trap 'stop_started; wineserver -k 2>/dev/null; wineserver -w; rm -rf "$work"' EXIT
fail() { echo "check-installer ($version): $*" >&2; exit 1; }

"$(dirname "$0")/../support/wine-prefix.sh" "$version" || fail "no Wine prefix"
declare -A kernel=([win10]=10.0 [win7]=6.1)
wine cmd /c ver 2>/dev/null | grep -q "Version ${kernel[$version]}\|Windows ${kernel[$version]}" ||
    fail "Wine does not say Windows ${kernel[$version]}: $(wine cmd /c ver 2>&1 | tr -d '\r')"

drive=$WINEPREFIX/drive_c
app="$drive/Program Files/Torvo"
menu="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Torvo/Torvo.lnk"
config=$drive/ProgramData/zel/torvo/torvo-gui
run_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'

wine "$installer" /S || fail "the silent install failed"
for file in torvo-gui.exe Uninstall.exe qtbase_ru.qm platforms/qwindows.dll styles/qwindowsvistastyle.dll \
    imageformats/qico.dll imageformats/qsvg.dll iconengines/qsvgicon.dll; do
    [ -f "$app/$file" ] || fail "the installer put no $file into Program Files\\Torvo"
done
[ -f "$menu" ] || fail "no Start-menu entry Torvo"
wine reg query "$run_key" /v Torvo 2>/dev/null | grep -q 'Torvo\\torvo-gui.exe' || fail "no start with the session"

# The client's processes in this prefix: also the one the session starts through the Run key.
client_pids() {
    local pid
    for pid in $(pgrep -f 'Torvo.torvo-gui\.exe'); do
        grep -qzx "WINEPREFIX=$WINEPREFIX" "/proc/$pid/environ" 2>/dev/null && echo "$pid"
    done
}
# shellcheck disable=SC2317 # called through until_true
running() { [ -n "$(client_pids)" ]; }
# shellcheck disable=SC2317
ended() { [ -z "$(client_pids)" ]; }
# shellcheck disable=SC2317
viewable() { xwininfo -name Torvo 2>/dev/null | grep -q 'Map State: IsViewable'; }
shows_window() {
    until_true 1200 viewable || { cat "$work/gui.err" >&2; fail "the installed client shows no window"; }
}
# Log-off: every window is asked, then the session's processes end (--shutdown: Wine would
# otherwise start a new session at once).
end_session() {
    wineboot --end-session --shutdown >/dev/null 2>&1 || fail "the end of the session was refused"
    until_true 600 ended || fail "the end of the session did not end the client"
    wineserver --wait
}
crlf() { [ -s "$1" ] && [ "$(grep -c $'\r$' "$1")" = "$(grep -c '' "$1")" ]; }

# First start on a fresh machine: the window, the two files, the log; the session's end ends it.
wine 'C:\Program Files\Torvo\torvo-gui.exe' >>"$work/gui.err" 2>&1 &
first=$!
shows_window
until_true 300 test -s "$config/log/gui.log" || fail "no log under C:\\ProgramData\\zel\\torvo\\torvo-gui"
crlf "$config/gui_settings.json" || fail "gui_settings.json is not written with CR LF"
crlf "$config/gui_log.properties" || fail "gui_log.properties is not written with CR LF"
grep -q '"port": 51077' "$config/gui_settings.json" || fail "gui_settings.json does not hold port 51077"
grep -qF 'fileName=C:\ProgramData\zel\torvo\torvo-gui\log\gui.log' "$config/gui_log.properties" ||
    fail "gui_log.properties does not name the log in Windows' form"
head -1 "$config/log/gui.log" |
    grep -qE '^[0-9]{4}\.[0-9]{2}\.[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}\.[0-9]{3} [0-9]+ INFO  \[GUI\] Starting application\.' ||
    fail "the log's first line is not in the pattern: $(head -1 "$config/log/gui.log")"
end_session
wait "$first" || fail "the client ended with status $? at the end of the session"

# The next session starts the client (the Run key), here against the simulator; a second start
# hands over and leaves.
start_simulator "$sim" "$work" || fail "no simulator"
printf '{\r\n    "port": %s\r\n}\r\n' "$port" >"$config/gui_settings.json"
wineboot >/dev/null 2>&1 # a log-on
until_true 600 running || fail "the new session did not start the client"
shows_window
until_true 600 grep -q 'GET /api/v1/dkktList 200' "$work/sim.log" || fail "the client did not reach the simulator"
if [ -n "$shot" ]; then
    # Once the six answers of the first round are shown.
    answered() { [ "$(grep -cE 'ответа на запрос (статуса|обновлений Torvo|настроек ЛМ)' "$config/log/gui.log")" -ge 6 ]; }
    until_true 600 answered || fail "the first round of requests was not answered"
    import -window "$(xwininfo -name Torvo | sed -n 's/.*Window id: \(0x[0-9a-f]*\).*/\1/p')" "$shot"
fi
session_client=$(client_pids)
timeout 300 wine 'C:\Program Files\Torvo\torvo-gui.exe' || fail "a second start did not exit 0"
until_true 300 grep -q 'Повторный запуск: показано окно работающего клиента' "$config/log/gui.log" ||
    fail "the running client did not log the second start"
[ "$(client_pids)" = "$session_client" ] || fail "the second start did not leave the one client running"

# The uninstaller ends the running client, removes the program and leaves the data. It goes
# on from a copy of itself: done when the session has no process left.
wine 'C:\Program Files\Torvo\Uninstall.exe' /S || fail "the silent uninstall failed"
timeout 600 wineserver --wait || fail "the uninstaller did not end"
[ -e "$app/torvo-gui.exe" ] && fail "the uninstaller left the program"
[ -e "$menu" ] && fail "the uninstaller left the Start-menu entry"
wine reg query "$run_key" /v Torvo >/dev/null 2>&1 && fail "the uninstaller left the start with the session"
[ -f "$config/gui_settings.json" ] && [ -f "$config/log/gui.log" ] || fail "the uninstaller removed the operator's data"
echo "check-installer: $(basename "$installer") installs, runs and uninstalls on Wine as $version"
