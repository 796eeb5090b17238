#!/usr/bin/env bash
# Runs a test program on a display of its own with a real window manager
# (openbox on Xvfb), so that stacking and keyboard focus are the desktop's,
# not the headless platform's. Exit 77 (skipped) where either is missing.
set -u
for tool in Xvfb openbox xprop xdotool; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

exec {fd}<> <(:)
Xvfb -displayfd "$fd" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
read -r -t 10 -u "$fd" display || { echo "Xvfb did not start"; kill "$xvfb"; exit 1; }
export DISPLAY=":$display"
openbox >/dev/null 2>&1 &
wm=$!
# Ready when openbox has announced itself on the root window.
for _ in $(seq 50); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
  sleep 0.1
done

QT_QPA_PLATFORM=xcb "$@"
status=$?
kill "$wm" "$xvfb" 2>/dev/null
wait 2>/dev/null
exit $status
