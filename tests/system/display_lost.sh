#!/usr/bin/env bash
# The program on a real X display whose server goes away: it must end at once
# with status 1 and without tearing down a GUI that has lost its display (no
# crash, no sanitizer report). Skipped (77) where there is no Xvfb.
set -u
program="$1"
command -v Xvfb >/dev/null || exit 77

work="$(mktemp -d)"
trap 'kill -9 "${xvfb:-0}" "${app:-0}" 2>/dev/null; rm -rf "$work"' EXIT

exec 3>"$work/displayfd"
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 50); do [ -s "$work/displayfd" ] && break; sleep 0.1; done
display="$(head -n1 "$work/displayfd")"
[ -n "$display" ] || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }

mkdir -m 700 "$work/runtime"
env -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb DISPLAY=":$display" XDG_RUNTIME_DIR="$work/runtime" \
    "$program" >"$work/out.log" 2>&1 &
app=$!
sleep 2
kill -0 "$app" 2>/dev/null || { echo "the program did not keep running"; cat "$work/out.log"; exit 1; }

kill -TERM "$xvfb"
for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$app" 2>/dev/null; then echo "the program went on without its display"; exit 1; fi
wait "$app"
status=$?
cat "$work/out.log"
if grep -qE 'AddressSanitizer|runtime error|LeakSanitizer' "$work/out.log"; then
    echo "sanitizer report after the display was lost"; exit 1
fi
[ "$status" -eq 1 ] || { echo "exit status $status, expected 1"; exit 1; }
echo "ended with status 1 after the display was lost"
