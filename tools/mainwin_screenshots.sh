#!/bin/bash
# Usage: xvfb-run -a -s "-screen 0 1280x800x24" tools/mainwin_screenshots.sh [BIN_DIR]
# Needs xdotool and imagemagick. Three test PTT hosts on 127.0.0.1:3002-3004, zek with
# the PTT domain pointed at 127.0.0.1; logs on in two tabs, opens the search page,
# switches to the first session and closes tab 3 by its close mark.
# Drives zek as a user would under Xvfb and takes screenshots.
B=${1:-build/bin}; B=$(cd "$B" && pwd)
D=$(mktemp -d); mkdir -p $D/cfg; cp $B/languages.ini $D/cfg/; printf "[SysConfig]\nswitch_of_auto_resize_bbs=1\n" > $D/cfg/App.ini; echo "screenshots in $D"
export ZEK_CONFIG_DIR=$D/cfg ZEK_PTT_HOST=127.0.0.1 ZEK_PTT_DOMAIN=127.0.0.1 ZEK_WEB_ROOT=http://127.0.0.1:9/
export XDG_RUNTIME_DIR=/tmp/runtime-$(id -u); mkdir -p -m700 $XDG_RUNTIME_DIR
export ZEK_MESSAGES=stderr
for p in 3002 3003 3004; do $B/fakeptt --port $p > $D/fake$p.log 2>&1 & echo $! >> $D/pids; done
sleep 1
$B/zek > $D/zek.log 2>&1 &
ZP=$!
sleep 5
W=$(xdotool search --onlyvisible --name "Zek" | head -1)
xdotool windowsize $W 1280 800; sleep 1
click() { xdotool mousemove --window $W $1 $2 click 1; sleep ${3:-1}; }
shot() { import -window root $D/$1.png; }
logon() { xdotool type --delay 30 "tester"; xdotool key Return; sleep 0.5; xdotool type --delay 30 "test1234"; xdotool key Return; sleep 1; xdotool type "y"; sleep 1; xdotool key Return; sleep 1; xdotool type "n"; sleep 1; }
shot 01_start
click 25 43 2; logon                                  # PTT, tab 2
click 25 43 2                                         # PTT, tab 3
click 25 43 2; logon                                  # PTT, tab 4
shot 02_three_sessions
click 63 43 3                                         # the search page as a web tab
shot 03_web_tab
click 200 105 2                                       # back to the first session
shot 04_switched
click 413 105 2                                       # close tab 3 with its close mark
shot 05_closed
kill $ZP; sleep 2
for p in $(cat $D/pids); do kill $p 2>/dev/null; done
