#!/usr/bin/env bash
# Takes a screenshot of the About box on a virtual X display (Xvfb): builds
# the screenshot tool and writes docs/screenshots/about.png.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-tools -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCHARVELLA_TOOLS=ON -DCHARVELLA_TESTS=OFF -DCHARVELLA_BENCH=OFF >/dev/null
cmake --build build-tools -j4 --target screenshot_about >/dev/null
mkdir -p docs/screenshots
export XDG_RUNTIME_DIR="$(mktemp -d)"; chmod 700 "$XDG_RUNTIME_DIR"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" build-tools/bin/screenshot_about docs/screenshots/about.png
echo "wrote docs/screenshots/about.png"
