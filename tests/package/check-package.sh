#!/usr/bin/env bash
# Checks a built Debian package as an installation would see it: unpacks it into a temporary
# root (dpkg -x), checks its files, desktop entries and dependencies, then runs the installed
# client against the service simulator on a private Xvfb display with a tray host and waits for
# its window; a second start must hand over and exit 0.
# Usage: check-package.sh PACKAGE.deb SIMULATOR
set -euo pipefail
deb=$(realpath "$1") sim=$(realpath "$2")
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d -t torvo-package.XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() { echo "check-package: $*" >&2; exit 1; }

dpkg -x "$deb" "$work/root"
root="$work/root"
for file in usr/bin/torvo-gui usr/share/applications/torvo-gui.desktop etc/xdg/autostart/torvo-gui.desktop \
    usr/share/icons/hicolor/scalable/apps/torvo-gui.svg usr/share/man/man1/torvo-gui.1.gz \
    usr/share/doc/torvo-gui/copyright usr/share/doc/torvo-gui/changelog.gz; do
    [ -f "$root/$file" ] || fail "missing /$file"
done
for size in 16 22 24 32 48 64 128 256; do
    [ -f "$root/usr/share/icons/hicolor/${size}x${size}/apps/torvo-gui.png" ] || fail "no ${size}px icon"
done
desktop-file-validate "$root/usr/share/applications/torvo-gui.desktop" "$root/etc/xdg/autostart/torvo-gui.desktop"
grep -qx 'Name=Torvo' "$root/usr/share/applications/torvo-gui.desktop" || fail "the menu entry is not named Torvo"
dpkg-deb --ctrl-tarfile "$deb" | tar -xO ./conffiles | grep -qx /etc/xdg/autostart/torvo-gui.desktop ||
    fail "the autostart entry is not a conffile"

# Every dependency names a real package (the first of each choice is installed here), and the
# ones no linker finds are there.
depends=$(dpkg-deb --field "$deb" Depends)
for needed in libqt5widgets5 libqt5network5 libqt5svg5 liblog4cpp5v5 fonts-dejavu-core fonts-noto-color-emoji \
    qttranslations5-l10n; do
    grep -q "\b$needed\b" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
while read -r choice; do
    name=${choice%% *}
    dpkg-query -W "$name" >/dev/null 2>&1 || fail "dependency $name is no package known here"
done < <(tr ',' '\n' <<<"$depends" | sed 's/|.*//; s/^ *//')

# The installed client, run as an operator would, against the simulator.
"$here/../support/with-display.sh" --tray -- "$here/run-installed.sh" "$root/usr/bin/torvo-gui" "$sim" "$work"
echo "check-package: $(basename "$deb") installs and runs"
