#!/bin/sh
# Makes the help window's pictures and the pasted-input examples again from
# the real windows, under a virtual X server, into src/tools/resources/.
# Run from the top folder after the windows changed:  pictures/make-pictures.sh
set -e
BUILD=${BUILD:-build}
[ -f "$BUILD/CMakeCache.txt" ] || cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$BUILD" -j2 --target morvane-pictures
xvfb-run -a -s "-screen 0 1280x1024x24" "$BUILD/pictures/morvane-pictures" src/tools/resources
