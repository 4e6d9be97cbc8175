#!/usr/bin/env bash
# Takes a screenshot of the About box on a virtual X display (Xvfb): builds
# the screenshot tool and writes docs/screenshots/about.png.
# The program runs in a session bus of its own (dbus-run-session), so that no
# bus process is left behind.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-tools -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCHARVELLA_TOOLS=ON -DCHARVELLA_TESTS=OFF -DCHARVELLA_BENCH=OFF >/dev/null
cmake --build build-tools -j4 --target screenshot_about >/dev/null
mkdir -p docs/screenshots
out=docs/screenshots/about.png
runtime="$(mktemp -d)"; chmod 700 "$runtime"
trap 'rm -rf "$runtime"' EXIT
XDG_RUNTIME_DIR="$runtime" QT_QPA_PLATFORM=xcb dbus-run-session -- \
  xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" build-tools/bin/screenshot_about "$out"
echo "wrote $out"
