#!/bin/sh
# Makes the help window's pictures and the pasted-input examples again from
# the real windows, under a virtual X server of the design size 800 x 600 (so
# the windows are not scaled), into src/tools/resources/.
# Run from the top folder after the windows changed:  pictures/make-pictures.sh
set -e
BUILD=${BUILD:-build}
[ -f "$BUILD/CMakeCache.txt" ] || cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$BUILD" -j2 --target morvane-pictures
xvfb-run -a -s "-screen 0 800x600x24" "$BUILD/pictures/morvane-pictures" src/tools/resources
