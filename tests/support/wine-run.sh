#!/usr/bin/env bash
# ctest's emulator for the Windows build: runs one program under Wine, in a Wine prefix of its
# own cloned from TORVO_WINE_TEMPLATE (scripts/windows-test makes it), so that each test program
# has its own C:\ProgramData, %TEMP% and wineserver (named pipes), as separate machines would.
# Without a template it runs in the caller's WINEPREFIX. PROGRAM is a QtTest program.
# Usage: wine-run.sh DLL_FOLDERS PLUGIN_FOLDER PROGRAM [ARGS...]  (DLL_FOLDERS joined by ':')
set -u
dll_dirs=$1 plugin_dir=$2
shift 2
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
path=
IFS=: read -r -a dirs <<<"$dll_dirs"
for dir in "${dirs[@]}"; do
    path+="${path:+;}$(windows_path "$dir")"
done
export WINEPATH=$path QT_PLUGIN_PATH
QT_PLUGIN_PATH=$(windows_path "$plugin_dir")
export WINEDEBUG=${WINEDEBUG:--all}

if [ -z "${TORVO_WINE_TEMPLATE:-}" ]; then
    exec wine "$@"
fi
prefix=$(mktemp -d "${TMPDIR:-/tmp}/torvo-wine.XXXXXX")
# Hard links for Wine's own files, which nothing here writes; copies of what Wine and the
# programs do write (the registry, the users' and the machine's data folders).
cp -al "$TORVO_WINE_TEMPLATE/." "$prefix/"
cp --remove-destination "$TORVO_WINE_TEMPLATE"/*.reg "$prefix/"
for folder in users ProgramData; do
    rm -rf "${prefix:?}/drive_c/$folder"
    cp -a "$TORVO_WINE_TEMPLATE/drive_c/$folder" "$prefix/drive_c/"
done
export WINEPREFIX=$prefix
# QtTest prints nothing through Wine's pipes: it writes its report to a file, shown afterwards.
program=$1
shift
wine "$program" -o "$(windows_path "$prefix/report.txt"),txt" "$@"
status=$?
cat "$prefix/report.txt" 2>/dev/null
wineserver -k 2>/dev/null
wineserver -w 2>/dev/null
rm -rf "$prefix"
exit $status
