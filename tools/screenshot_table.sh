#!/usr/bin/env bash
# Takes screenshots of the code table on a virtual X display (Xvfb): builds
# the screenshot tool and writes docs/screenshots/table.png and
# docs/screenshots/table-macjapanese.png.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-tools -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCHARVELLA_TOOLS=ON -DCHARVELLA_TESTS=OFF -DCHARVELLA_BENCH=OFF >/dev/null
cmake --build build-tools -j"$(nproc)" --target screenshot_table >/dev/null
mkdir -p docs/screenshots
export XDG_RUNTIME_DIR="$(mktemp -d)"; chmod 700 "$XDG_RUNTIME_DIR"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" build-tools/bin/screenshot_table docs/screenshots
