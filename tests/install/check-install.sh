#!/bin/sh
# Installs the build into a temporary root, as a package build does, and
# checks what a desktop reads from it.
set -eu
build=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null
share=$root/usr/share
for f in bin/morvane bin/morvane-report libexec/morvane/morvane-report-charts \
         share/doc/morvane/README.md share/icons/hicolor/scalable/apps/morvane.svg; do
    test -s "$root/usr/$f" || { echo "missing: $f"; exit 1; }
done
for size in 16 32 48 64 128 256; do
    png=$share/icons/hicolor/${size}x$size/apps/morvane.png
    file "$png" | grep -q "$size x $size" || { echo "wrong or missing icon: $png"; exit 1; }
done
desktop-file-validate "$share/applications/morvane.desktop"
appstreamcli validate --no-net "$share/metainfo/io.github.morvane.Morvane.metainfo.xml"
# The installed morvane-report finds its helper for a chart.
printf 'apple\r\npear\r\napple\r\n' > "$root/Fruit.txt"
"$root/usr/bin/morvane-report" --chart bar --output "$root/fruit.png" "$root/Fruit.txt" >/dev/null
file "$root/fruit.png" | grep -q "PNG image" || { echo "no chart from the installed morvane-report"; exit 1; }
rm "$root/Fruit.txt" "$root/fruit.png"
# Nothing lands outside the prefix.
test "$(ls "$root")" = usr
