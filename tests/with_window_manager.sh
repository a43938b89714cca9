#!/bin/sh
# Runs a command on a virtual X display (Xvfb) that a real window manager
# (openbox) manages, with Qt drawing on that display, and exits with the
# command's status. Exits 77, which CTest counts as a skip, where Xvfb or
# openbox is not installed (tools/install-deps.sh test installs both).
set -u
for tool in xvfb-run Xvfb xauth openbox xprop; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIPPED: $tool is not installed; tools/install-deps.sh test installs it"
    exit 77
  fi
done
exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" sh -c '
  openbox --sm-disable >/dev/null 2>&1 &
  wm=$!
  # The window manager announces itself on the root window once it runs.
  tries=0
  until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do
    tries=$((tries + 1))
    if [ "$tries" -gt 200 ]; then
      echo "openbox did not take the display" >&2
      kill "$wm" 2>/dev/null
      exit 1
    fi
    sleep 0.05
  done
  QT_QPA_PLATFORM=xcb "$@"
  status=$?
  kill "$wm" 2>/dev/null
  wait "$wm" 2>/dev/null
  exit "$status"
' with_window_manager "$@"
