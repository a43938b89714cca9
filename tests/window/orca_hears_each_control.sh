#!/bin/sh
# What the screen reader Orca says of the window, run on the display that
# with_window_manager.sh makes: Tab visits every input and each is heard by
# its caption and unit; flat review reads every result with its caption,
# value and unit. Exits 77 (a skip) where Orca or its helpers are not
# installed, or where Orca itself stops answering in every one of three
# sessions; wrong speech fails at once.
# Usage: orca_hears_each_control.sh LOUT
set -u
lout=$1
missing=$(for tool in orca dbus-launch xdotool /usr/libexec/at-spi-bus-launcher; do
  command -v "$tool" >/dev/null 2>&1 || printf ' %s' "$tool"
done)
[ -z "$missing" ] || { echo "SKIPPED: not installed:$missing (Debian: orca, dbus-x11, xdotool, at-spi2-core)"; exit 77; }

# What each input must be heard as, in Tab order from the model list, then
# what flat review must read of the results.
tabbed='最大额定电流（A） text|允许电流纹波（%） text|开关工作频率（kHz） text|最大占空系数 read only text|次级输出电压（V） text|滤波输出电压（V） text|选择图示方式 check box'
reviewed='滤波电感 [0-9.]* uH|绕组圈数 [0-9]* 匝|磁芯间隙 [0-9.]* mm|最佳线径 0.42 mm|导线股数 29 股|死负载 95Ω'

# One Orca session with the window: exit 0 when Orca said everything, 1 when
# it said something wrong (a caption without its unit, a result missing),
# 77 when it stopped answering before the end.
session() (
  scratch=$(mktemp -d)
  pids=""
  log="$scratch/orca.log"
  # Orca may be busy with the window gone: none of them is waited for.
  trap 'for pid in $pids ${DBUS_SESSION_BUS_PID:-}; do kill -9 "$pid" 2>/dev/null; done; rm -rf "$scratch"' EXIT
  said() { grep -o "SPEECH OUTPUT: '[^']*'" "$log" 2>/dev/null | sed "s/^SPEECH OUTPUT: '//; s/'$//"; }
  # A caption read in place of the name would drop the unit.
  wrong() { said | grep -q "： text" && { echo "Orca read a caption in place of a box's name:" >&2; said >&2; exit 1; }; }
  # Presses `key` (none: just waits) every 1.5 s until Orca has said $1.
  until_said() {
    tries=0
    until said | grep -q -- "$1"; do
      wrong
      tries=$((tries + 1))
      [ "$tries" -le 20 ] || { echo "Orca stopped answering; it said:" >&2; said | tail -n 8 >&2; exit 77; }
      [ -z "${2:-}" ] || xdotool key "$2"
      sleep 1.5
    done
  }

  eval "$(dbus-launch --sh-syntax)"
  /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
  pids="$pids $!"
  # No speech server is needed, Orca logs what it would say: its speech
  # library is stood in for by one that is missing, so Orca does not wait
  # on a server that cannot start here.
  mkdir -p "$scratch/no-speech/speechd"
  echo 'raise ImportError("no speech server while testing")' >"$scratch/no-speech/speechd/__init__.py"
  PYTHONPATH="$scratch/no-speech" HOME="$scratch" orca --replace --debug-file="$log" >/dev/null 2>&1 &
  pids="$pids $!"
  until_said "Screen reader on"
  QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$lout" >/dev/null 2>&1 &
  pids="$pids $!"
  until_said "Omberlin电感辅助计算 dialog"

  # Orca here, with no speech server, often says what a key brought only
  # when the next key arrives: the keys come at a steady pace, and the flat
  # review's own keys bring out what the last Tab left unsaid. The spinner
  # after the toggle is left out: its line would start the flat review
  # below the results.
  for key in Tab Tab Tab Tab Tab Tab Tab KP_Subtract KP_Up KP_Home KP_Home KP_Home KP_Home KP_Home KP_Home \
             KP_Home KP_Home KP_Home KP_Home KP_Home; do
    xdotool key "$key"
    sleep 1
  done
  until_said "次级输出电压：" KP_Up # the top line, read again until it is said
  wrong
  unsaid=$(printf '%s\n' "$tabbed|$reviewed" | tr '|' '\n' | while IFS= read -r heard; do
    said | grep -q -- "$heard" || printf '%s\n' "$heard"
  done)
  [ -z "$unsaid" ] || { printf 'Orca did not say:\n%s\nIt said:\n' "$unsaid" >&2; said >&2; exit 1; }
)

for attempt in 1 2 3; do
  session
  status=$?
  [ "$status" -eq 77 ] || exit "$status"
  echo "Orca stopped answering in session $attempt" >&2
done
echo "SKIPPED: Orca stopped answering in all three sessions"
exit 77
