#!/usr/bin/env bash
# Validates the desktop entry; skipped (77) where desktop-file-validate is
# not installed.
set -euo pipefail
command -v desktop-file-validate >/dev/null || { echo "desktop-file-validate not installed"; exit 77; }
out="$(desktop-file-validate "$1" 2>&1)" || { echo "$out"; exit 1; }
# Warnings and hints are reported with a zero status; take them as failures.
[ -z "$out" ] || { echo "$out"; exit 1; }
