#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks that the program,
# its pictures, its desktop entry and its icons are where a desktop finds them.
set -euo pipefail
build="$1"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
status=0
for f in bin/charvella \
         share/charvella/Resources/icon72.png share/charvella/Resources/iconMask72.png \
         share/charvella/Resources/smallblacklogo.png \
         share/applications/charvella.desktop \
         share/icons/hicolor/16x16/apps/charvella.png share/icons/hicolor/48x48/apps/charvella.png \
         share/icons/hicolor/72x72/apps/charvella.png; do
  [ -s "$prefix/$f" ] || { echo "missing: $f"; status=1; }
done
[ -x "$prefix/bin/charvella" ] || { echo "not executable: bin/charvella"; status=1; }
grep -qx 'Exec=charvella' "$prefix/share/applications/charvella.desktop" || { echo "Exec line"; status=1; }
grep -qx 'Icon=charvella' "$prefix/share/applications/charvella.desktop" || { echo "Icon line"; status=1; }
exit $status
