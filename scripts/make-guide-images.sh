#!/usr/bin/env bash
# Makes the pictures of the user guide (docs/images/*.png) anew by running
# the guide's scenarios against the real screens, on a display of a school
# PC's 1024×768. Builds the program first when build/ has none.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ ! -x build/src/gakunen ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build build --target gakunen
fi
mkdir -p docs/images
display="offscreen:configfile=$PWD/docs/scenarios/display-1024x768.json"
for scenario in docs/scenarios/*.scn; do
  QT_QPA_PLATFORM="$display" build/src/gakunen --scenario "$scenario"
done
