#!/bin/sh
# Makes the help window's pictures and the pasted-input examples again from
# the real windows, under a virtual X server of the design size 800 x 600 (so
# the windows are not scaled), into src/tools/resources/; then the README's
# pictures into docs/: the main window on a 1024 x 768 screen and the first
# page of a Word report as LibreOffice renders it (soffice and pdftoppm, from
# Debian's libreoffice-writer-nogui and poppler-utils).
# Run from the top folder after the windows changed:  pictures/make-pictures.sh
set -e
BUILD=${BUILD:-build}
[ -f "$BUILD/CMakeCache.txt" ] || cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$BUILD" -j2 --target morvane-pictures
xvfb-run -a -s "-screen 0 800x600x24" "$BUILD/pictures/morvane-pictures" src/tools/resources

for tool in soffice pdftoppm; do
    command -v "$tool" >/dev/null || { echo "$tool is missing: the README's pictures are not made" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
xvfb-run -a -s "-screen 0 1024x768x24" "$BUILD/pictures/morvane-pictures" --docs "$work"
soffice "-env:UserInstallation=file://$work/profile" --headless --norestore \
    --convert-to pdf --outdir "$work" "$work/word-report.docx" >/dev/null
# A4 at 96 dots per inch: 794 x 1123, as the page shows on a screen.
pdftoppm -png -r 96 -f 1 -l 1 -singlefile "$work/word-report.pdf" docs/word-report
cp "$work/main-window.png" docs/main-window.png
echo "wrote docs/main-window.png docs/word-report.png"
