#!/bin/bash
# Usage (as root: the test host takes port 23): xvfb-run -a -s "-screen 0 1280x800x24" \
#   tools/mainwin_memory.sh [BIN_DIR] [ZEK ARGS...]   (e.g. --no-start-page)
# Memory of the whole program, web engine included: clicks "PTT" until 1, 10 and 100
# tabs are open (the start page is tab 1) to a test PTT host on 127.0.0.1:23, and prints
# RSS and PSS of zek, and the PSS of the web engine's processes apart. With
# --no-start-page no web page is made, and zek's PSS is the whole program's.
B=${1:-build/bin}; B=$(cd "$B" && pwd); shift
# The X server resets when its last client leaves and refuses a program connecting
# meanwhile: one client stays connected throughout.
xprop -root -spy >/dev/null 2>&1 & KEEP=$!
trap 'kill $KEEP 2>/dev/null' EXIT
D=$(mktemp -d); mkdir -p $D/cfg; cp $B/languages.ini $D/cfg/
export ZEK_CONFIG_DIR=$D/cfg ZEK_PTT_HOST=127.0.0.1 ZEK_PTT_DOMAIN=no-such-domain.invalid ZEK_WEB_ROOT=http://127.0.0.1:9/
export XDG_RUNTIME_DIR=/tmp/runtime-$(id -u); mkdir -p -m700 $XDG_RUNTIME_DIR
export ZEK_MESSAGES=stderr
$B/fakeptt --port 23 > $D/fake.log 2>&1 & FP=$!
sleep 1
$B/zek "$@" > $D/zek.log 2>&1 & ZP=$!
until W=$(xdotool search --onlyvisible --pid $ZP 2>/dev/null | head -1) && [ -n "$W" ]; do sleep 0.2; done
sleep 3
# The first window found may be one start-up replaces: take the main window that shows.
W=$(xdotool search --onlyvisible --pid $ZP --name '^Zek' 2>/dev/null | tail -1)
xdotool windowsize $W 1280 800; sleep 1
rss() { local total=0 tp=0; for p in $ZP $(pgrep -P $ZP) $(for c in $(pgrep -P $ZP); do pgrep -P $c; done); do r=$(awk "/^Pss:/{print \$2}" /proc/$p/smaps_rollup 2>/dev/null); total=$((total + ${r:-0})); done; echo "$1: zek RSS $(( $(awk "/VmRSS/{print \$2}" /proc/$ZP/status) / 1024 )) MB, PSS $(( $(awk "/^Pss:/{print \$2}" /proc/$ZP/smaps_rollup) / 1024 )) MB, web engine processes PSS $(( (total - $(awk "/^Pss:/{print \$2}" /proc/$ZP/smaps_rollup)) / 1024 )) MB"; }
rss start
n=0
for target in 1 10 100; do
  while [ $n -lt $target ]; do xdotool mousemove --window $W 25 43 click 1; sleep 0.3; n=$((n+1)); done
  sleep 3
  connected=$(ss -Htn state established "( dport = :23 )" | wc -l)
  [ "$connected" = "$n" ] || echo "only $connected of $n sessions connected" >&2
  rss "$n sessions ($connected connected)"
done
rm -rf $D
kill $ZP; sleep 1; kill $FP
