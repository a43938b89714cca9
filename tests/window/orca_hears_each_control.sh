#!/bin/sh
# What the screen reader Orca says of the window, run on the display that
# with_window_manager.sh makes: Tab visits every control and each input is
# heard by its caption and unit; flat review reads every result with its
# caption, value and unit. Exits 77 (a skip) where Orca or its helpers are
# not installed. Usage: orca_hears_each_control.sh LOUT
set -u
lout=$1
missing=$(for tool in orca dbus-launch xdotool /usr/libexec/at-spi-bus-launcher; do
  command -v "$tool" >/dev/null 2>&1 || printf ' %s' "$tool"
done)
[ -z "$missing" ] || { echo "SKIPPED: not installed:$missing (Debian: orca, dbus-x11, xdotool, at-spi2-core)"; exit 77; }

scratch=$(mktemp -d)
pids=""
cleanup() {
  # Orca may be busy with the window gone: none of them is waited for.
  for pid in $pids ${DBUS_SESSION_BUS_PID:-}; do kill -9 "$pid" 2>/dev/null; done
  [ -n "${KEEP_ORCA_LOG:-}" ] && cp "$log" "$KEEP_ORCA_LOG"
  rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

eval "$(dbus-launch --sh-syntax)"
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
pids="$pids $!"
log="$scratch/orca.log"
# No speech server is needed, Orca logs what it would say: its speech
# library is stood in for by one that is missing, so Orca does not wait on
# a server that cannot start here.
mkdir -p "$scratch/no-speech/speechd"
echo 'raise ImportError("no speech server while testing")' >"$scratch/no-speech/speechd/__init__.py"
PYTHONPATH="$scratch/no-speech" HOME="$scratch" orca --replace --debug-file="$log" >"$scratch/orca.out" 2>&1 &
pids="$pids $!"

said() { grep -o "SPEECH OUTPUT: '[^']*'" "$log" 2>/dev/null | sed "s/^SPEECH OUTPUT: '//; s/'$//"; }
# Waits up to $2 seconds for Orca to have said something matching $1.
await() {
  tries=0
  until said | grep -q -- "$1"; do
    tries=$((tries + 1))
    if [ "$tries" -gt $(($2 * 10)) ]; then
      echo "Orca never said '$1'. It printed:" >&2
      tail -n 20 "$scratch/orca.out" >&2
      echo "It said ($(grep -c "SPEECH OUTPUT" "$log") lines):" >&2; tail -n 15 "$log" >&2
      said >&2
      exit 1
    fi
    sleep 0.1
  done
}

await "Screen reader on" 60

QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$lout" >/dev/null 2>&1 &
pids="$pids $!"
await "Omberlin电感辅助计算 dialog" 60
# The model list has the focus; Tab goes round the inputs to the toggle.
# (The spinner after it is left out: Orca without a speech server stops
# answering once it reaches a scroll bar.)
for key in Tab Tab Tab Tab Tab Tab Tab; do
  xdotool key "$key"
  sleep 1.5
done
await "选择图示方式" 30
# Flat review, from the model list's line up to the top of the window.
for key in KP_Subtract KP_Up KP_Home KP_Home KP_Home KP_Home KP_Home KP_Home KP_Home KP_Home KP_Home KP_Home KP_Home; do
  xdotool key "$key"
  sleep 1
done
await "次级输出电压：" 30

status=0
for heard in "最大额定电流（A） text" "允许电流纹波（%） text" "开关工作频率（kHz） text" "最大占空系数 read only text" \
             "次级输出电压（V） text" "滤波输出电压（V） text" \
             "滤波电感 [0-9.]* uH" "绕组圈数 [0-9]* 匝" "磁芯间隙 [0-9.]* mm" "最佳线径 0.42 mm" \
             "导线股数 29 股" "死负载 95Ω"; do
  if ! said | grep -q -- "$heard"; then
    echo "Orca did not say '$heard'" >&2
    status=1
  fi
done
# A caption read in place of the name would drop the unit.
if said | grep -q "： text"; then
  echo "Orca read a caption in place of a box's name" >&2
  status=1
fi
[ "$status" -eq 0 ] || { echo "Orca said:" >&2; said >&2; }
exit "$status"
