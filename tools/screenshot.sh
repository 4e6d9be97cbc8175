#!/usr/bin/env bash
# Takes the screenshots in docs/screenshots on a virtual X display (Xvfb).
#   tools/screenshot.sh [converter|menu|table|blocks|about]...   (all when none)
# converter: converter.png; menu: converter-edit-menu.png (the Edit menu open);
# table: table.png and table-macjapanese.png; blocks: block-convert.png and
# block-convert-warning.png; about: about.png.
# Each run has a session bus of its own (dbus-run-session), so that no bus
# process is left behind.
set -euo pipefail
cd "$(dirname "$0")/.."
shots=("$@")
[ ${#shots[@]} -gt 0 ] || shots=(converter table blocks about)

cmake -S . -B build-tools -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCHARVELLA_TOOLS=ON -DCHARVELLA_TESTS=OFF -DCHARVELLA_BENCH=OFF >/dev/null
cmake --build build-tools -j"$(nproc)" --target screenshot screenshot_table screenshot_blocks screenshot_about >/dev/null
mkdir -p docs/screenshots
runtime="$(mktemp -d)"; chmod 700 "$runtime"
trap 'rm -rf "$runtime"' EXIT

shoot() {
  XDG_RUNTIME_DIR="$runtime" QT_QPA_PLATFORM=xcb dbus-run-session -- \
    xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" "$@"
}

d=docs/screenshots
for shot in "${shots[@]}"; do
  case "$shot" in
    converter) shoot build-tools/bin/screenshot "$d/converter.png" ;;
    menu) shoot build-tools/bin/screenshot "$d/converter-edit-menu.png" menu ;;
    table) shoot build-tools/bin/screenshot_table "$d" ;;
    blocks) shoot build-tools/bin/screenshot_blocks "$d/block-convert.png" "$d/block-convert-warning.png" ;;
    about) shoot build-tools/bin/screenshot_about "$d/about.png" ;;
    *) echo "unknown screenshot: $shot" >&2; exit 2 ;;
  esac
  echo "took $shot"
done
