#!/bin/bash
# Usage: xvfb-run -a -s "-screen 0 1280x800x24" tools/zek_startup_time.sh [BIN_DIR] [RUNS] [ZEK ARGS...]
# Start-up time of the real program: from launch to its main window being mapped (seen
# by polling the X server), and, from the program's own trace (ZEK_TRACE_STARTUP=1), to
# the first paint of the window and to the start of the web engine. Every run uses a
# fresh settings folder; the web root points at a closed local port.
B=${1:-build/bin}; B=$(cd "$B" && pwd); RUNS=${2:-5}; shift 2 2>/dev/null
command -v xdotool >/dev/null || { echo "needs xdotool" >&2; exit 2; }
export XDG_RUNTIME_DIR=/tmp/runtime-$(id -u); mkdir -p -m700 $XDG_RUNTIME_DIR
export ZEK_MESSAGES=stderr ZEK_WEB_ROOT=http://127.0.0.1:9/ ZEK_TRACE_STARTUP=1
export QT_LOGGING_RULES="qt.webenginecontext=false" QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu
# The X server resets whenever its last client leaves, and a program connecting meanwhile
# is refused ("could not load the Qt platform plugin xcb"): one client stays throughout.
xprop -root -spy >/dev/null 2>&1 & KEEP=$!
trap 'kill $KEEP 2>/dev/null' EXIT
for i in $(seq 1 "$RUNS"); do
  D=$(mktemp -d); cp "$B/languages.ini" "$D/"
  t0=$(date +%s%N)
  ZEK_CONFIG_DIR=$D "$B/zek" "$@" > "$D/log" 2>&1 & ZP=$!
  mapped=1
  until xdotool search --onlyvisible --pid $ZP >/dev/null 2>&1; do
    kill -0 $ZP 2>/dev/null || { mapped=0; break; }
  done
  t1=$(date +%s%N)
  sleep 1.5
  kill $ZP 2>/dev/null; wait $ZP 2>/dev/null
  trace=$(grep '^startup:' "$D/log" | sed 's/^startup: //' | tr '\n' ',')
  if [ $mapped = 1 ]; then
    echo "run $i: window mapped after $(( (t1 - t0) / 1000000 )) ms (polled); trace: $trace"
  else  # say why rather than report a time for a window that never came
    echo "run $i: zek ended before its window was mapped; trace: $trace"; grep -v '^startup:' "$D/log" | tail -5
  fi
  rm -rf "$D"
done
