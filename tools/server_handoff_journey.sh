#!/bin/bash
# Usage: xvfb-run -a -s "-screen 0 1280x800x24" tools/server_handoff_journey.sh [BIN_DIR] [OUT_DIR]
# The landing page hands a link to a running Zek: zek-server, the test PTT host and Zek on
# 127.0.0.1; Chromium opens the long Zek URL's page, "Open in Zek" is clicked, and Zek
# logs on to the test host (typing the account into the logon dialog when it asks) and
# lands on article 1h57JlJx of Test. Needs chromium, xdotool and imagemagick.
set -u
B=${1:-build/bin}; B=$(cd "$B" && pwd); OUT=${2:-docs}; mkdir -p "$OUT"
D=$(mktemp -d); mkdir -p $D/cfg; cp $B/languages.ini $D/cfg/
printf "[SysConfig]\nswitch_of_auto_login=1\nptt_account=tester\nptt_password=test1234\nswitch_of_auto_resize_bbs=1\n" > $D/cfg/App.ini
$B/zek-server --config $D/server/zek-server.ini --port 0 --log $D/server.log > $D/server.out 2>&1 &
SP=$!
$B/fakeptt > $D/fake.log 2>&1 &
FP=$!
sleep 1
ROOT=$(sed -n 's/.*listening on \(http:[^ ]*\).*/\1/p' $D/server.out | head -1)
PORT=$(sed -n 's/.*127.0.0.1:\([0-9]*\).*/\1/p' $D/fake.log | head -1)
export ZEK_CONFIG_DIR=$D/cfg ZEK_PTT_HOST=127.0.0.1 ZEK_PTT_DOMAIN=127.0.0.1 ZEK_WEB_ROOT=$ROOT
export XDG_RUNTIME_DIR=/tmp/runtime-$(id -u); mkdir -p -m700 $XDG_RUNTIME_DIR
export ZEK_MESSAGES=stderr QTWEBENGINE_DISABLE_SANDBOX=1 QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu
$B/zek > $D/zek.log 2>&1 &
ZP=$!
sleep 8
LINK="${ROOT}?cmd=pas:BBS=127.0.0.1:$PORT&Board=Test&ArticleAID=1h57JlJx"
chromium --no-sandbox --test-type --disable-gpu --disable-background-networking --no-first-run \
  --user-data-dir=$D/chromium --window-position=0,0 --window-size=1000,760 --app="$LINK" > $D/chromium.log 2>&1 &
CP=$!
for _ in $(seq 120); do xdotool search --name " - Zek" >/dev/null 2>&1 && break; sleep 0.5; done
sleep 3
xdotool mousemove 190 320 click 1   # "Open in Zek" (no title or author shown)
sleep 1
import -window root "$OUT/server-handoff-click.png"
sleep 1
kill $CP
sleep 6
# Zek asks for the account in its logon dialog (focus in the account field): answer as a
# user would.
xdotool type --delay 50 tester; xdotool key Tab; xdotool type --delay 50 test1234; xdotool key Return
sleep 10
import -window root "$OUT/server-handoff-zek.png"
kill $ZP; sleep 2; kill $FP; kill $SP
echo "--- zek"; cat $D/zek.log; echo "--- server"; cat $D/server.log
