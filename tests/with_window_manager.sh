#!/bin/sh
# Runs a command on a virtual X display (Xvfb) that a real window manager
# (openbox) manages, with Qt drawing on that display, and exits with the
# command's status. Exits 77, which CTest counts as a skip, where Xvfb or
# openbox is not installed (tools/install-deps.sh test installs both).
set -u
for tool in Xvfb openbox xprop; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIPPED: $tool is not installed; tools/install-deps.sh test installs it"
    exit 77
  fi
done

scratch=$(mktemp -d)
xvfb=""
wm=""
cleanup() {
  [ -n "$wm" ] && kill "$wm" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# Xvfb takes the first free display itself and writes its number once it
# accepts connections, so runs side by side never race for one.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$scratch/display" 2>"$scratch/xvfb.log" &
xvfb=$!
tries=0
until [ -s "$scratch/display" ]; do
  tries=$((tries + 1))
  if [ "$tries" -gt 600 ] || ! kill -0 "$xvfb" 2>/dev/null; then
    echo "Xvfb did not start:" >&2
    cat "$scratch/xvfb.log" >&2
    exit 1
  fi
  sleep 0.05
done
DISPLAY=":$(head -n 1 "$scratch/display")"
export DISPLAY

openbox --sm-disable >/dev/null 2>&1 &
wm=$!
# The window manager announces itself on the root window once it runs.
tries=0
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do
  tries=$((tries + 1))
  if [ "$tries" -gt 600 ] || ! kill -0 "$wm" 2>/dev/null; then
    echo "openbox did not take the display $DISPLAY" >&2
    exit 1
  fi
  sleep 0.05
done

QT_QPA_PLATFORM=xcb "$@"
