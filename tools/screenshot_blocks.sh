#!/usr/bin/env bash
# Takes screenshots of the block converter on a virtual X display (Xvfb):
# writes docs/screenshots/block-convert.png (after a short text) and
# docs/screenshots/block-convert-warning.png (the large-block warning sheet).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-tools -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCHARVELLA_TOOLS=ON -DCHARVELLA_TESTS=OFF -DCHARVELLA_BENCH=OFF >/dev/null
cmake --build build-tools -j4 --target screenshot_blocks >/dev/null
mkdir -p docs/screenshots
export XDG_RUNTIME_DIR="$(mktemp -d)"; chmod 700 "$XDG_RUNTIME_DIR"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" build-tools/bin/screenshot_blocks \
  docs/screenshots/block-convert.png docs/screenshots/block-convert-warning.png
echo "wrote docs/screenshots/block-convert.png and docs/screenshots/block-convert-warning.png"
