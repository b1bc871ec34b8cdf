#!/usr/bin/env bash
# The Windows installer as a till takes it, under Wine on the caller's display with a tray host
# (scripts/windows-test runs it inside with-display.sh --tray): installs it silently into a
# fresh Wine prefix with the given Windows version, runs the installed client against the native
# simulator (its window, its requests, the two files it writes with CR LF, its log), the end of
# the Windows session, the next session starting it, a second start, a start-up failure and an
# unwritable log, the administrator's upgrades (over running clients, without the old
# uninstaller, against a locked file, a downgrade), the refusals, and the silent uninstaller.
# With TORVO_SIGN_CA (the certificate the build was signed with) the signatures are verified.
# A 32-bit installer (-win32.exe) runs in a 32-bit prefix; TORVO_OTHER_INSTALLER, the 64-bit one,
# must then refuse that prefix, and in a 64-bit one the two must replace each other.
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
# The package's bits: its name's ending, the registry view of its keys.
bits_of() { local name=${1##*-win}; echo "${name%.exe}"; }
bits=$(bits_of "$installer")
export WINEARCH=win$bits

"$(dirname "$0")/../support/wine-prefix.sh" "$version" || fail "no Wine prefix"
declare -A kernel=([win10]=10.0 [win7]=6.1)
wine cmd /c ver 2>/dev/null | grep -q "Version ${kernel[$version]}\|Windows ${kernel[$version]}" ||
    fail "Wine does not say Windows ${kernel[$version]}: $(wine cmd /c ver 2>&1 | tr -d '\r')"

drive=$WINEPREFIX/drive_c
app="$drive/Program Files/Torvo"
exe='C:\Program Files\Torvo\torvo-gui.exe'
menu="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Torvo/Torvo.lnk"
config=$drive/ProgramData/zel/torvo/torvo-gui
run_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Torvo'
dumps_key='HKLM\Software\Microsoft\Windows\Windows Error Reporting\LocalDumps\torvo-gui.exe'
# reg ARGS...: Windows' reg in the package's registry view (a 32-bit reg.exe sees the 32-bit one).
reg() { wine reg "$@" "/reg:$bits"; }
reg_value() { reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"; }
# taskkill ARGS...: Wine's, run by the prefix's own loader. Where Debian's 32-bit Wine is installed
# `wine` is the 32-bit loader, and the taskkill it runs did not find the 64-bit client here.
taskkill() {
    if [ "$WINEARCH" = win64 ] && [ -x /usr/lib/wine/wine64 ]; then
        /usr/lib/wine/wine64 taskkill "$@"
    else
        wine taskkill "$@"
    fi
}
# install ARGS...: the installer's exit code, within 5 minutes.
install() { timeout 300 wine "$installer" "$@"; }
# The version resource's fields, as Windows' file properties show them.
identity() { exiftool -s3 -ProductName -CompanyName -FileVersion -ProductVersion "$1" | tr '\n' ' '; }
signed() { [ -z "${TORVO_SIGN_CA:-}" ] || osslsigncode verify -CAfile "$TORVO_SIGN_CA" -in "$1" >/dev/null 2>&1; }

[ "$(identity "$installer")" = "Torvo zel 1.0 1.0 " ] || fail "the installer's version resource: $(identity "$installer")"
signed "$installer" || fail "the installer's signature does not verify"
install /S || fail "the silent install failed"
for file in torvo-gui.exe Uninstall.exe qtbase_ru.qm platforms/qwindows.dll styles/qwindowsvistastyle.dll \
    imageformats/qico.dll imageformats/qsvg.dll iconengines/qsvgicon.dll; do
    [ -f "$app/$file" ] || fail "the installer put no $file into Program Files\\Torvo"
done
[ -f "$menu" ] || fail "no Start-menu entry Torvo"
reg query "$run_key" /v Torvo 2>/dev/null | grep -q 'Torvo\\torvo-gui.exe' || fail "no start with the session"
[ "$(identity "$app/torvo-gui.exe")" = "Torvo zel 1.0 1.0 " ] || fail "torvo-gui.exe's version resource: $(identity "$app/torvo-gui.exe")"
for file in torvo-gui.exe Qt5Core.dll Uninstall.exe; do
    signed "$app/$file" || fail "$file's signature does not verify"
done
[ "$(reg_value "$uninstall_key" DisplayVersion) $(reg_value "$uninstall_key" Publisher)" = "1.0 zel" ] &&
    [ "$(reg_value "$uninstall_key" InstallLocation)" = 'C:\Program Files\Torvo' ] &&
    [ "$(reg_value "$uninstall_key" QuietUninstallString)" = '"C:\Program Files\Torvo\Uninstall.exe" /S' ] &&
    [ "$(($(reg_value "$uninstall_key" EstimatedSize)))" -gt 10000 ] || fail "Add/Remove Programs lacks the version, publisher, place, size or quiet uninstall"
[ "$(reg_value "$dumps_key" DumpFolder)" = 'C:\ProgramData\zel\torvo\torvo-gui\dumps' ] && [ -d "$config/dumps" ] && [ -d "$config/log" ] ||
    fail "no folder for the log or the crash dumps"
wine cmd /c "$exe" --version 2>/dev/null | grep -q '^torvo-gui 1\.0' || fail "--version does not reach cmd.exe's console"

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
# shellcheck disable=SC2317
start_box() { xdotool search --onlyvisible --name 'Запуск Torvo' >/dev/null 2>&1; }
# Log-off: every window is asked, then the session's processes end (--shutdown: Wine would
# otherwise start a new session at once).
end_session() {
    wineboot --end-session --shutdown >/dev/null 2>&1 || fail "the end of the session was refused"
    until_true 600 ended || fail "the end of the session did not end the client"
    wineserver --wait
}
crlf() { [ -s "$1" ] && [ "$(grep -c $'\r$' "$1")" = "$(grep -c '' "$1")" ]; }
# as_user NAME COMMAND-LINE: started by another account (Wine sets USERNAME itself), the command
# line as cmd.exe takes it.
as_user() {
    printf '@set USERNAME=%s\r\n@%s\r\n' "$1" "$2" >"$drive/as-$1.bat"
    wine cmd /c "C:\\as-$1.bat" >>"$work/gui.err" 2>&1 &
}

# First start on a fresh machine: the window, the two files, the log; the session's end ends it.
wine "$exe" >>"$work/gui.err" 2>&1 &
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

# A start-up failure is seen: a box, and status 1 once it is closed.
printf '{' >"$config/gui_settings.json"
wine "$exe" >>"$work/gui.err" 2>&1 &
failed=$!
until_true 600 start_box || fail "a start-up failure shows no box"
taskkill /IM torvo-gui.exe >/dev/null 2>&1
until_true 600 ended || fail "the start-up failure's box did not close when asked"
wait "$failed"
[ $? = 1 ] || fail "a start-up failure did not end with status 1"

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
timeout 300 wine "$exe" || fail "a second start did not exit 0"
until_true 300 grep -q 'Повторный запуск: показано окно работающего клиента' "$config/log/gui.log" ||
    fail "the running client did not log the second start"
[ "$(client_pids)" = "$session_client" ] || fail "the second start did not leave the one client running"

# Another account's client (a technician beside the cashier) runs beside this one, into one log.
as_user technician "\"$exe\""
until_true 600 eval '[ "$(grep -c "Starting application" "$config/log/gui.log")" = 3 ]' ||
    fail "a second account's client does not run and write the log"
[ "$(client_pids | wc -l)" = 2 ] || fail "a second account's client is not running beside the first"

# An upgrade over both running clients: asked to end, files replaced, the client started again.
cp "$app/qtbase_ru.qm" "$work/qtbase_ru.qm" && echo stale >"$app/qtbase_ru.qm"
reg add "$uninstall_key" /v DisplayVersion /d 0.9 /f >/dev/null 2>&1
install /S || fail "the upgrade over running clients failed"
cmp -s "$work/qtbase_ru.qm" "$app/qtbase_ru.qm" || fail "the upgrade did not replace the files"
[ "$(reg_value "$uninstall_key" DisplayVersion)" = 1.0 ] || fail "the upgrade left the version"
[ "$(grep -c 'Завершение по запросу установщика Torvo' "$config/log/gui.log")" = 2 ] ||
    fail "the installer did not ask both clients to end"
until_true 600 running || fail "the upgrade did not start the client again"
[ "$(client_pids)" != "$session_client" ] || fail "the client that runs is the old one"

# Without the old uninstaller, an upgrade installs over the old version, within its bound.
reg add "$uninstall_key" /v DisplayVersion /d 0.9 /f >/dev/null 2>&1
rm "$app/Uninstall.exe"
install /S || fail "the upgrade without the old uninstaller failed"
[ -f "$app/Uninstall.exe" ] && [ "$(reg_value "$uninstall_key" DisplayVersion)" = 1.0 ] ||
    fail "the upgrade without the old uninstaller did not install"

# A file held by another program (the uninstaller, left open by a technician) fails the upgrade
# before anything changes, and the client runs again.
as_user technician '"C:\Program Files\Torvo\Uninstall.exe" _?=C:\Program Files\Torvo'
# shellcheck disable=SC2317
holding() { local pid; pid=$(pgrep -f 'Torvo.Uninstall\.exe') && xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1; }
until_true 600 holding || fail "the uninstaller did not start"
reg add "$uninstall_key" /v DisplayVersion /d 0.9 /f >/dev/null 2>&1
install /S
status=$?
[ $status = 2 ] || fail "an upgrade against a held file ended with $status, not 2"
[ "$(reg_value "$uninstall_key" DisplayVersion)" = 0.9 ] || fail "a failed upgrade changed the installed version"
until_true 600 running || fail "a failed upgrade left no client running"
pkill -f 'Torvo.Uninstall\.exe'

# A newer version installed: refused under /S unless allowed.
reg add "$uninstall_key" /v DisplayVersion /d 9.9 /f >/dev/null 2>&1
install /S
[ $? = 4 ] && [ "$(reg_value "$uninstall_key" DisplayVersion)" = 9.9 ] || fail "a downgrade was not refused with exit code 4"
install /S /ALLOWDOWNGRADE || fail "/ALLOWDOWNGRADE did not downgrade"

# A log that cannot be written: the client runs without it and says so.
taskkill /F /IM torvo-gui.exe >/dev/null 2>&1
until_true 600 ended || fail "the client did not end"
mv "$config/log/gui.log" "$work/gui.log" && mkdir "$config/log/gui.log"
wine "$exe" >"$work/unwritable.err" 2>&1 &
until_true 600 start_box || fail "a client that cannot write its log does not say so in a box"
viewable && running || fail "a client that cannot write its log does not run"
grep -q 'Failed to open log file' "$work/unwritable.err" || fail "a client that cannot write its log does not say so"
taskkill /F /IM torvo-gui.exe >/dev/null 2>&1
until_true 600 ended && rmdir "$config/log/gui.log" && mv "$work/gui.log" "$config/log/gui.log"

# Windows older than 7 SP1 is refused before anything is changed.
wine winecfg -v vista >/dev/null 2>&1
install /S
[ $? = 5 ] || fail "Windows Vista was not refused with exit code 5"
wine winecfg -v "$version" >/dev/null 2>&1

# The uninstaller ends the running client, removes the program and leaves the data. It goes
# on from a copy of itself: done when the session has no process left.
wine 'C:\Program Files\Torvo\torvo-gui.exe' >>"$work/gui.err" 2>&1 &
until_true 600 running || fail "the client did not start before the uninstall"
wine 'C:\Program Files\Torvo\Uninstall.exe' /S || fail "the silent uninstall failed"
timeout 600 wineserver --wait || fail "the uninstaller did not end"
[ -e "$app/torvo-gui.exe" ] && fail "the uninstaller left the program"
[ -e "$menu" ] && fail "the uninstaller left the Start-menu entry"
reg query "$run_key" /v Torvo >/dev/null 2>&1 && fail "the uninstaller left the start with the session"
reg query "$dumps_key" >/dev/null 2>&1 && fail "the uninstaller left the crash dumps' setting"
reg query "$uninstall_key" >/dev/null 2>&1 && fail "the uninstaller left the entry in Add/Remove Programs"
[ -f "$config/gui_settings.json" ] && [ -f "$config/log/gui.log" ] || fail "the uninstaller removed the operator's data"

other=${TORVO_OTHER_INSTALLER:-}
if [ -n "$other" ]; then
    [ "$bits" = 32 ] || fail "TORVO_OTHER_INSTALLER is the 64-bit package beside a 32-bit one"
    # 32-bit Windows refuses the 64-bit package in words, before anything is changed.
    install_other() { timeout 300 wine "$other" "$@"; }
    install_other /S
    [ $? = 6 ] || fail "the 64-bit installer was not refused on 32-bit Windows with exit code 6"
    [ -e "$app/torvo-gui.exe" ] || reg query "$uninstall_key" >/dev/null 2>&1 && fail "the refused installer changed the machine"

    # On 64-bit Windows one package replaces the other, either way: one client running, from
    # the new folder, and one uninstall entry and Run value, in the new package's view.
    wineserver -k 2>/dev/null
    wineserver -w
    export WINEPREFIX=$work/prefix64 WINEARCH=win64
    "$(dirname "$0")/../support/wine-prefix.sh" "$version" || fail "no 64-bit Wine prefix"
    drive=$WINEPREFIX/drive_c
    declare -A folder=([64]='C:\Program Files\Torvo' [32]='C:\Program Files (x86)\Torvo')
    # installed_alone BITS: that package's files, entry and Run value, and none of the other's.
    installed_alone() {
        local new=$1 old=$((96 - $1))
        [ "$(bits=$new reg_value "$uninstall_key" InstallLocation)" = "${folder[$new]}" ] ||
            fail "the $new-bit package has no uninstall entry of its own"
        bits=$new reg_value "$run_key" Torvo | grep -qF "${folder[$new]}\torvo-gui.exe" ||
            fail "the $new-bit package has no Run value of its own"
        bits=$old reg query "$uninstall_key" >/dev/null 2>&1 && fail "the $old-bit package's uninstall entry is left"
        bits=$old reg query "$run_key" /v Torvo >/dev/null 2>&1 && fail "the $old-bit package's Run value is left"
        [ -f "$(winepath -u "${folder[$old]}")/torvo-gui.exe" ] && fail "the $old-bit package's files are left"
        bits=64 reg_value "$dumps_key" DumpFolder | grep -q dumps || fail "no crash dumps' setting in the system's view"
        until_true 600 running || fail "the $new-bit package did not start the client again"
        [ "$(client_pids | wc -l)" = 1 ] && tr '\0' ' ' <"/proc/$(client_pids)/cmdline" | grep -qF "${folder[$new]}" ||
            fail "the client that runs is not the $new-bit package's alone"
    }
    install_other /S || fail "the 64-bit package did not install on 64-bit Windows"
    wine "${folder[64]}\torvo-gui.exe" >>"$work/gui.err" 2>&1 &
    until_true 600 running || fail "the 64-bit package's client did not start"
    install /S || fail "the 32-bit package did not install over the 64-bit one"
    installed_alone 32
    install_other /S || fail "the 64-bit package did not install over the 32-bit one"
    installed_alone 64
fi
echo "check-installer: $(basename "$installer") installs, upgrades, runs and uninstalls on Wine as $version"
