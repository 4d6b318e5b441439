#!/bin/bash
# Usage: xvfb-run -a -s "-screen 0 1280x800x24" tools/menu_screenshots.sh [BIN_DIR] [OUT_DIR] [MODE]
# Needs xdotool and imagemagick. Starts zek against a test PTT host on 127.0.0.1:3002,
# connects, then opens every menu by its mnemonic and every dialog of the menus and
# saves a picture of each (menu-*.png, dialog-*.png) in OUT_DIR (default docs/). MODE is
# the language mode, TW (default) or EN.
B=${1:-build/bin}; B=$(cd "$B" && pwd)
OUT=${2:-docs}; mkdir -p "$OUT"; OUT=$(cd "$OUT" && pwd)
MODE=${3:-TW}
D=$(mktemp -d); mkdir -p $D/cfg; cp $B/languages.ini $D/cfg/
printf "[SysConfig]\nlanguage_mode=%s\nswitch_of_auto_resize_bbs=1\nlast_bbs=127.0.0.1\nlast_bbs_port=3002\n" "$MODE" > $D/cfg/App.ini
export ZEK_CONFIG_DIR=$D/cfg ZEK_PTT_HOST=127.0.0.1 ZEK_PTT_DOMAIN=127.0.0.1 ZEK_WEB_ROOT=http://127.0.0.1:9/
export XDG_RUNTIME_DIR=/tmp/runtime-$(id -u); mkdir -p -m700 $XDG_RUNTIME_DIR
export QTWEBENGINE_DISABLE_SANDBOX=1 QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu
$B/fakeptt --port 3002 > $D/fake.log 2>&1 & FP=$!
sleep 1
$B/zek > $D/zek.log 2>&1 &
ZP=$!
sleep 6
W=$(xdotool search --onlyvisible --name "Zek" | head -1)
xdotool windowsize $W 1000 700; xdotool windowmove $W 0 0; sleep 1
xdotool mousemove --window $W 500 400 click 1; xdotool windowfocus $W; sleep 1
m=$(echo $MODE | tr A-Z a-z)
shot() { import -window root -crop 1000x720+0+0 "$OUT/$1-$m.png"; }
key() { xdotool key "$@"; sleep 1; }
key ctrl+shift+t; sleep 2                                  # a PTT session (tab 2)
shot main-session
key alt+c; shot menu-connection; key Escape
key alt+e; key s; shot menu-edit-ptt-shortcuts; key Escape; key Escape
key alt+o; shot menu-options; key Escape
key alt+o; key n; shot menu-options-ctrl; key Escape; key Escape
key alt+h; shot menu-help; key Escape
key alt+b; shot menu-bookmarks; key Escape
xdotool mousemove --window $W 500 400 click 3; sleep 1; shot menu-popup; key Escape
key alt+o; key f; sleep 1; shot dialog-font; key Escape
key alt+o; key r; sleep 1; shot dialog-reset; key Escape
key alt+h; key a; sleep 1; shot dialog-about; key Escape
xdotool windowfocus $W; sleep 1; key ctrl+shift+w; sleep 1; shot dialog-close-tab; key Escape
kill $FP; sleep 1; shot dropped-connection
kill $ZP 2>/dev/null; sleep 1; kill -9 $ZP 2>/dev/null
rm -rf "$D"
echo "pictures in $OUT"
