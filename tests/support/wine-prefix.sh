#!/usr/bin/env bash
# Makes the Wine prefix WINEPREFIX names, set to report the given Windows version.
# Wine has neither "Segoe UI", the client's font, nor the dialog font Qt takes by default, and
# draws them with the first font it finds (here a mathematical one, three times as tall as its
# size): they are mapped to DejaVu Sans, which stands in for them on Linux too, so that rows and
# screenshots keep Windows' proportions.
# Usage: WINEPREFIX=DIR wine-prefix.sh win10|win7
set -u
# Wine's .NET and browser add-ons are neither needed nor to be had here.
WINEDLLOVERRIDES="mscoree,mshtml=" wineboot --init >/dev/null 2>&1 || exit 1
wine winecfg -v "$1" >/dev/null 2>&1 || exit 1
for font in 'Segoe UI' 'MS Shell Dlg 2' 'MS Shell Dlg' 'Tahoma'; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$font" /t REG_SZ /d 'DejaVu Sans' /f \
        >/dev/null 2>&1 || exit 1
done
wineserver --wait
