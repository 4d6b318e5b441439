#!/bin/bash
# Usage (as root: the test host takes port 23): xvfb-run -a -s "-screen 0 1280x800x24" \
#   [FRONT=1] [THREADS=1] tools/zek_idle.sh [BIN_DIR] [SESSIONS] [SECONDS] [ZEK ARGS...]
# Idle cost of the real program: opens SESSIONS (default 10) sessions to a test PTT host
# on 127.0.0.1:23 by clicking the toolbar's PTT button, lets everything settle, then
# counts over SECONDS (default 20) the CPU time and the voluntary context switches (wakeups) of
# every thread of the zek process, and of the web engine's processes apart.
B=${1:-build/bin}; B=$(cd "$B" && pwd); N=${2:-10}; SECS=${3:-20}; shift 3 2>/dev/null
# The X server resets when its last client leaves and refuses a program connecting
# meanwhile: one client stays connected throughout.
xprop -root -spy >/dev/null 2>&1 & KEEP=$!
trap 'kill $KEEP 2>/dev/null' EXIT
command -v xdotool >/dev/null || { echo "needs xdotool" >&2; exit 2; }
D=$(mktemp -d); mkdir -p $D/cfg; cp $B/languages.ini $D/cfg/
export ZEK_CONFIG_DIR=$D/cfg ZEK_PTT_HOST=127.0.0.1 ZEK_PTT_DOMAIN=no-such-domain.invalid ZEK_WEB_ROOT=http://127.0.0.1:9/
export XDG_RUNTIME_DIR=/tmp/runtime-$(id -u); mkdir -p -m700 $XDG_RUNTIME_DIR
export ZEK_MESSAGES=stderr QT_LOGGING_RULES="qt.webenginecontext=false" QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu
$B/fakeptt --port 23 > $D/fake.log 2>&1 & FP=$!
sleep 1
$B/zek "$@" > $D/zek.log 2>&1 & ZP=$!
until W=$(xdotool search --onlyvisible --pid $ZP 2>/dev/null | head -1) && [ -n "$W" ]; do sleep 0.1; done
sleep 2
# The first window can be replaced by another while the program starts (the web view
# makes the top-level window anew): the clicks go to the one shown now.
W=$(xdotool search --onlyvisible --pid $ZP --name '^Zek' 2>/dev/null | tail -1)
xdotool windowsize $W 1280 800; sleep 1
for i in $(seq 1 $N); do xdotool mousemove --window $W 25 43 click 1; sleep 0.4; done
xdotool mousemove --window $W 640 400   # the pointer rests over the screen
# FRONT=1: the window takes the keyboard focus, as the window in front does (there is no
# window manager to give it); otherwise it idles as a window behind others.
[ -n "$FRONT" ] && xdotool windowfocus $W
sleep ${SETTLE:-5}   # SETTLE: seconds between the last click and the count
CONNECTED=$(ss -Htn state established "( dport = :23 )" | wc -l)
[ "$CONNECTED" = "$N" ] || echo "only $CONNECTED of $N sessions connected" >&2
engine() { for c in $(pgrep -P $ZP); do echo $c; pgrep -P $c; done; }
# A wakeup is a voluntary switch (a thread slept and was woken); involuntary ones are
# preemptions, which count how busy the rest of the machine is.
# Per thread, "tid count" lines: a thread that ends during the count takes its switches
# with it, so only the threads alive at the end are summed (new ones from 0).
perthread() { for t in /proc/$1/task/*; do awk -v t=${t##*/} '/^voluntary_ctxt_switches/{print t, $2}' $t/status 2>/dev/null; done; }
delta() { awk 'NR==FNR{a[$1]=$2; next} {d+=$2-a[$1]} END{print d+0}' <(echo "$2") <(perthread $1); }
ticks() { awk '{print $14 + $15}' /proc/$1/stat 2>/dev/null || echo 0; }
E=$(engine)
declare -A es0 ec0
for p in $E; do es0[$p]=$(perthread $p); ec0[$p]=$(ticks $p); done
s0=$(perthread $ZP); c0=$(ticks $ZP)
[ -n "$STRACE" ] && (timeout $SECS strace -f -tt -p $ZP -o /tmp/idle-strace.txt &)
sleep $SECS
ds=$(delta $ZP "$s0"); c1=$(ticks $ZP)
[ -n "$KEEPLOG" ] && cp $D/zek.log $D/fake.log /tmp/
# THREADS=1: which of zek's threads wake, busiest first.
[ -n "$THREADS" ] && awk -v s=$SECS 'NR==FNR{a[$1]=$2; next} $2>a[$1] {printf "  %s %s: %.2f/s\n", $1, $3, ($2-a[$1])/s}' <(echo "$s0") \
  <(perthread $ZP | while read t n; do echo "$t $n $(cat /proc/$ZP/task/$t/comm 2>/dev/null)"; done) | sort -t: -k2 -nr >&2
es=0; ec=0   # engine processes that lived through the whole count
for p in $E; do [ -d /proc/$p ] || continue; es=$((es + $(delta $p "${es0[$p]}"))); ec=$((ec + $(ticks $p) - ec0[$p])); done
HZ=$(getconf CLK_TCK)
awk -v n=$N -v c=$CONNECTED -v front="${FRONT:+, window in front}" -v s=$SECS -v ds=$ds -v dc=$((c1 - c0)) -v eds=$es -v edc=$ec -v hz=$HZ -v ne=$(echo $E | wc -w) \
  'BEGIN { printf "%d sessions (%d connected)%s, idle %d s: zek %.2f %% CPU, %.1f wakeups/s; web engine (%d processes) %.2f %% CPU, %.1f wakeups/s\n", n, c, front, s, 100*dc/hz/s, ds/s, ne, 100*edc/hz/s, eds/s }'
grep -c 'SocketError\|Error' $D/zek.log >/dev/null && grep -m3 'rror' $D/zek.log
kill $ZP; wait $ZP 2>/dev/null; kill $FP; rm -rf $D
