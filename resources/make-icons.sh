#!/usr/bin/env bash
# Draws the program's icons from resources/src/*.svg: the product mark, the same with a blue
# "unread" dot and with a red "critical" dot, as multi-size .ico files, and the product mark for
# the desktop's hicolor icon theme (PNG at the usual sizes and SVG). Needs ImageMagick and
# rsvg-convert (librsvg2-bin).
# The results are committed, so a build never needs this script.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

dot() { # colour -> an SVG circle in the upper right corner, with a white ring
    printf '<circle cx="196" cy="60" r="56" fill="#FFFFFF" stroke="none"/><circle cx="196" cy="60" r="44" fill="%s" stroke="none"/>' "$1"
}

make_ico() { # name, dot markup
    sed "s|DOT|$2|" "$here/src/mark.svg" > "$tmp/$1.svg"
    # 8 bits a channel: a deeper PNG shows the same and costs twice as much to decode at start-up.
    convert -background none -density 384 "$tmp/$1.svg" -resize 256x256 -depth 8 "$tmp/$1-256.png"
    convert "$tmp/$1-256.png" -define icon:auto-resize=256,64,48,32,24,16 "$here/images/$1.ico"
}

make_ico gui_velkor ""
make_ico gui_velkor_unread "$(dot '#29B6F6')"
make_ico gui_velkor_critical "$(dot '#F44336')"
cp "$here/src/notification.svg" "$here/images/notification.svg"
cp "$here/src/arrow-down.svg" "$here/images/arrow-down.svg"
cp "$here/src/eye.svg" "$here/images/eye.svg"

hicolor="$here/desktop/icons/hicolor"
mkdir -p "$hicolor/scalable/apps"
sed "s|DOT||" "$here/src/mark.svg" | grep -v '^ *$' > "$hicolor/scalable/apps/torvo-gui.svg"
for size in 16 22 24 32 48 64 128 256; do
    mkdir -p "$hicolor/${size}x${size}/apps"
    convert -background none -density 384 "$hicolor/scalable/apps/torvo-gui.svg" -resize "${size}x${size}" \
        -strip "$hicolor/${size}x${size}/apps/torvo-gui.png"
done
echo "icons written to $here/images and $hicolor"
