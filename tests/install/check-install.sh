#!/bin/sh
# Installs the build into a temporary root, as a package build does, and
# checks what a desktop reads from it and that everything shows one version.
set -eu
build=$1
version=$2
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null
share=$root/usr/share
for f in bin/morvane bin/morvane-report share/doc/morvane/README.md \
         share/icons/hicolor/scalable/apps/morvane.svg share/man/man1/morvane.1 \
         share/man/man1/morvane-report.1; do
    test -s "$root/usr/$f" || { echo "missing: $f"; exit 1; }
done
for size in 16 32 48 64 128 256; do
    png=$share/icons/hicolor/${size}x$size/apps/morvane.png
    file "$png" | grep -q "$size x $size" || { echo "wrong or missing icon: $png"; exit 1; }
done
desktop-file-validate "$share/applications/morvane.desktop"
appstreamcli validate --no-net "$share/metainfo/io.github.morvane.Morvane.metainfo.xml"
grep -q "<release version=\"$version\"" "$share/metainfo/io.github.morvane.Morvane.metainfo.xml" ||
    { echo "AppStream release is not $version"; exit 1; }
for page in morvane morvane-report; do
    head -n1 "$share/man/man1/$page.1" | grep -qF "\"Morvane $version\"" ||
        { echo "manual page $page.1 does not show $version"; exit 1; }
done
# --version answers without a display and before the data folder is made.
home=$root/home
mkdir "$home"
for program in morvane morvane-report; do
    shown=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= HOME="$home" \
            XDG_CONFIG_HOME= XDG_DATA_HOME= XDG_STATE_HOME= "$root/usr/bin/$program" --version)
    test "$shown" = "$program $version" || { echo "$program --version: $shown"; exit 1; }
done
test -z "$(ls -A "$home")" || { echo "--version left files in HOME"; ls -AR "$home"; exit 1; }
rmdir "$home"
# Nothing lands outside the prefix.
test "$(ls "$root")" = usr
