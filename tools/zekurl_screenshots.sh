#!/bin/bash
# Usage: xvfb-run -a -s "-screen 0 1280x800x24" tools/zekurl_screenshots.sh [BIN_DIR] [OUT_DIR]
# Zek URLs reaching a running Zek the two ways a desktop hands them over, against the
# test PTT host on 127.0.0.1 with automatic logon on (needs python3 with tkinter to own
# the clipboard, and imagemagick and xdotool):
#   1. a web page's clipboard hand-off ("pas:" + the URL after the long prefix): Zek logs
#      on, answers the questions and lands on article 1h57JlJx of Test;
#   2. "zek URL" started while Zek runs: the running window takes it and walks its logged-on
#      session to article 1h57J5HJ.
B=${1:-build/bin}; B=$(cd "$B" && pwd); OUT=${2:-docs}; mkdir -p "$OUT"
D=$(mktemp -d); mkdir -p $D/cfg; cp $B/languages.ini $D/cfg/
printf "[SysConfig]\nswitch_of_auto_login=1\nptt_account=%%74%%65%%73%%74%%65%%72\nptt_password=%%74%%65%%73%%74%%31%%32%%33%%34\nswitch_of_auto_resize_bbs=1\n" > $D/cfg/App.ini
export ZEK_CONFIG_DIR=$D/cfg ZEK_PTT_HOST=127.0.0.1 ZEK_PTT_DOMAIN=127.0.0.1 ZEK_WEB_ROOT=http://127.0.0.1:9/
export XDG_RUNTIME_DIR=/tmp/runtime-$(id -u); mkdir -p -m700 $XDG_RUNTIME_DIR
export ZEK_MESSAGES=stderr
$B/fakeptt > $D/fake.log 2>&1 &
FP=$!
sleep 1
PORT=$(sed -n 's/.*127.0.0.1:\([0-9]*\).*/\1/p' $D/fake.log | head -1)
PREFIX=http://127.0.0.1:9/
$B/zek > $D/zek.log 2>&1 &
ZP=$!
sleep 6
W=$(xdotool search --onlyvisible --name "Zek" | head -1)
[ -n "$W" ] && xdotool windowmove $W 0 0 windowsize $W 1280 800
# The clipboard stays ours until Zek takes the hand-off and clears it.
python3 - "pas:?cmd=pas:BBS=127.0.0.1:$PORT&Board=Test&ArticleAID=1h57JlJx" <<'PY' &
import sys, tkinter
root = tkinter.Tk(); root.withdraw()
root.clipboard_clear(); root.clipboard_append(sys.argv[1]); root.update()
root.after(10000, root.destroy); root.mainloop()
PY
sleep 6
import -window root "$OUT/zekurl-clipboard-handoff.png"
$B/zek "${PREFIX}?cmd=pas:BBS=127.0.0.1:$PORT&Board=Test&ArticleAID=1h57J5HJ"; echo "second zek ended: $?"
sleep 4
import -window root "$OUT/zekurl-command-line.png"
kill $ZP; sleep 2; kill $FP
cat $D/fake.log; cat $D/zek.log
