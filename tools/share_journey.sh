#!/bin/bash
# Usage: tools/share_journey.sh [OUT_DIR]      (from anywhere; OUT_DIR defaults to docs/)
# Sharing an article and opening its short link, end to end, as a person does it:
#   the test PTT host (fakeptt) on 127.0.0.1:3002-3003 ("Connect to PTT" opens port
#   3000 + the tab number), and Zek started only by
#       xvfb-run -a -s "-screen 0 1280x800x24" ./zek.sh run
#   with ZEK_PTT_HOST/ZEK_PTT_DOMAIN pointing PTT at 127.0.0.1 (and ZEK_WEB_ROOT naming
#   the loopback root that zek.sh starts zek-server on, so nothing looks beyond this
#   machine). zek.sh builds Zek and starts zek-server on 127.0.0.1:8080.
# Then, with xdotool keys and clicks: connect to PTT, log on, open board Test and its
# article 1, press the toolbar's share button, get the short form in the link dialog, copy
# it, paste it into the address box and press Enter. Zek must walk to the same article.
# Prints PASS or FAIL (exit 0 or 1). Screenshots: OUT_DIR/share-journey-*.png (the
# article, the link dialog, the short form in the address box, the article reached
# through it, and the link dialog asked for again there).
# Needs xvfb, xdotool, xclip, imagemagick and curl.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
OUT=${1:-$here/docs}; mkdir -p "$OUT"; OUT=$(cd "$OUT" && pwd)
B=${ZEK_BUILD_DIR:-$here/build}
D=$(mktemp -d /tmp/share-journey.XXXXXX)
SERVER_LOG=$B/zek-server.log
ROOT=http://127.0.0.1:8080/
failures=0
XR=; FAKE_PIDS=()

say() { printf '%s\n' "$*"; }
check() {  # check DESCRIPTION CONDITION...
    local what=$1; shift
    if "$@"; then say "ok   - $what"; else say "FAIL - $what"; failures=$((failures + 1)); fi
}
finish() {
    # Zek first (zek.sh then stops its zek-server), then the display and the test hosts.
    local zp
    zp=$(zek_pid)
    [ -n "$zp" ] && kill -TERM "$zp" 2>/dev/null
    sleep 2
    [ -n "$XR" ] && kill -TERM -- "-$XR" 2>/dev/null
    for p in "${FAKE_PIDS[@]}"; do kill -TERM "$p" 2>/dev/null; done
    wait 2>/dev/null
}
abort() {
    say "FAIL - $*"
    say "(logs in $D)"
    finish
    say "share journey: FAIL"
    exit 1
}
trap 'finish' INT TERM

for tool in xvfb-run xdotool xclip import compare curl; do
    command -v $tool >/dev/null || { say "share journey: needs $tool"; exit 2; }
done
port_taken() { timeout 1 bash -c "exec 3<>/dev/tcp/127.0.0.1/$1" 2>/dev/null; }
for p in 3002 3003 8080; do port_taken $p && { say "share journey: 127.0.0.1:$p is taken by another program"; exit 2; }; done

# Polls for up to $2 seconds (default 15) until the command in $1 succeeds.
wait_until() {
    local i
    for i in $(seq $((${2:-15} * 10))); do eval "$1" && return 0; sleep 0.1; done
    return 1
}
# Screens the test host has sent since the mark (the line count when it was taken).
sent_since() { tail -n +$(($1 + 1)) "$D/fake3002.log" | grep '^sent ' | sed 's/^sent //'; }
lines() { wc -l < "$D/fake3002.log"; }
host_sent() { sent_since "$1" | grep -qx "$2"; }   # host_sent MARK SCREEN
shot() { import -window root "$OUT/share-journey-$1.png"; }
clipboard() { xclip -o -selection clipboard 2>/dev/null; }

# --- The test PTT host and Zek --------------------------------------------------------
for p in 3002 3003; do
    "$B/bin/fakeptt" --port $p > "$D/fake$p.log" 2>&1 &
    FAKE_PIDS+=($!)
done
[ -x "$B/bin/fakeptt" ] || abort "no $B/bin/fakeptt (build it: ninja -C build zek_fakeptt)"
wait_until "grep -q listening '$D/fake3002.log'" 5 || abort "fakeptt did not start: $(cat "$D/fake3002.log")"

cd "$here"
# setsid: the run gets a process group of its own, ended as one at the end.
ZEK_PTT_HOST=127.0.0.1 ZEK_PTT_DOMAIN=127.0.0.1 ZEK_WEB_ROOT=$ROOT \
    setsid xvfb-run -a -s "-screen 0 1280x800x24" ./zek.sh run > "$D/zek.log" 2>&1 &
XR=$!
zek_pid() { [ -n "$XR" ] && pgrep -g "$XR" -x zek | head -1; }
# The display xvfb-run picked: its Xvfb is the one in this process group.
wait_until '[ -n "$(pgrep -g $XR -x Xvfb)" ]' 600 || abort "xvfb-run did not start Xvfb: $(cat "$D/zek.log")"
read -r -a xvfb_args < <(tr '\0' ' ' < /proc/$(pgrep -g "$XR" -x Xvfb)/cmdline)
export DISPLAY=${xvfb_args[1]}
for ((i = 0; i < ${#xvfb_args[@]}; i++)); do [ "${xvfb_args[$i]}" = -auth ] && export XAUTHORITY=${xvfb_args[$((i + 1))]}; done
say "zek.sh run on display $DISPLAY (log: $D/zek.log)"

main_window() { xdotool search --onlyvisible --name '(^Zek|— Zek)' 2>/dev/null | head -1; }
# zek.sh builds first: allow for a build.
wait_until '[ -n "$(main_window)" ]' 600 || abort "no Zek window: $(tail -5 "$D/zek.log")"
grep -q "started zek-server at $ROOT" "$D/zek.log" || abort "zek.sh did not start zek-server at $ROOT: $(cat "$D/zek.log")"
sleep 3   # the start page; a window shown before the main one may have come and gone
W=$(main_window)
xdotool getwindowgeometry "$W" >/dev/null 2>&1 || abort "the Zek window went away"
# No window manager under Xvfb: the window is made as large as the screen by hand.
xdotool windowmove "$W" 0 0 windowsize "$W" 1280 800
sleep 1
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; }

# --- Connect to PTT, log on, open board Test and its first article ---------------------
mark=$(lines)
click "$W" 20 43    # the toolbar's "Connect to PTT"
wait_until "host_sent $mark 03_logon_page_main" 20 || abort "Connect to PTT reached no test host"
answer() {  # answer SCREEN XDOTOOL-COMMANDS: type or press, then wait for SCREEN
    local m screen=$1
    shift
    m=$(lines)
    eval "$*"
    wait_until "host_sent $m $screen" 10 || abort "after '$*' the host did not show $screen (sent: $(sent_since "$m" | tr '\n' ' '))"
}
answer 04_main_password_prompt 'xdotool type --delay 40 tester; xdotool key Return'
answer 05_ask_delete_other_connections 'xdotool type --delay 40 test1234; xdotool key Return'
answer 06_press_any_key 'xdotool type n; xdotool key Return'
answer 07_ask_delete_wrong_password_log 'xdotool key space'
answer 08_main_menu 'xdotool type n; xdotool key Return'
answer 10_select_board_prompt 'xdotool type s'
answer 11_board_article_list 'xdotool type --delay 40 Test; xdotool key Return'
answer generated 'xdotool type 1'                  # the "jump to item" prompt
answer generated 'xdotool key Return'              # the cursor on article 1
answer 32_article_with_pushes 'xdotool key Return' # article 1 opens
sleep 1
shot 1-article
convert "$OUT/share-journey-1-article.png" -crop 960x576+160+120 +repage "$D/article-before.png"

# --- The share button: the link dialog with the long and the short form ----------------
mark=$(lines)
click "$W" 78 43    # the toolbar's share button
dialog() { xdotool search --onlyvisible --name '^(分享連結|Share a link)$' 2>/dev/null | head -1; }
wait_until '[ -n "$(dialog)" ]' 10 || abort "the share button showed no link dialog (host sent: $(sent_since "$mark" | tr '\n' ' '))"
DW=$(dialog)
check "Zek asked PTT for the article's identifier (the information box)" host_sent "$mark" generated
shortens=$(grep -c 'POST /shorten' "$SERVER_LOG" 2>/dev/null || true)
click "$DW" 431 139   # "get the short link"
wait_until '[ "$(grep -c "POST /shorten" "$SERVER_LOG")" -gt "${shortens:-0}" ]' 10 ||
    abort "no short-link request reached zek-server"
sleep 1
printf '' | xclip -selection clipboard
click "$DW" 517 41    # copy the long form
wait_until '[ -n "$(clipboard)" ]' 5
LONG=$(clipboard)
printf '' | xclip -selection clipboard
click "$DW" 517 139   # copy the short form
wait_until '[ -n "$(clipboard)" ]' 5
SHORT=$(clipboard)
shot 2-link-dialog
say "long form:  $LONG"
say "short form: $SHORT"
check "the long form names board Test and article 1h57J5HJ on the test host" \
    test "$LONG" = "${ROOT}?cmd=pas:BBS=127.0.0.1&Board=Test&ArticleAID=1h57J5HJ"
check "the short form is an article code under the server's short prefix" \
    grep -Eq "^${ROOT//./\\.}\?x=cmd=pas:a_[A-Za-z0-9]+\$" <<< "$SHORT"
expanded=$(curl -s --max-time 5 -d "x=${SHORT#"$ROOT"?x=}" "${ROOT}expand" | head -1 | tr -d '\r')
check "zek-server expands the short form to the long one" test "$ROOT$expanded" = "$LONG"

click "$DW" 534 199   # close
wait_until '[ -z "$(dialog)" ]' 5 || abort "the link dialog did not close"

# --- Back to the main menu, as someone who has moved on --------------------------------
click "$W" 640 600    # an empty row of the terminal: the keys go to the session
answer 32_article_with_pushes 'xdotool key Left'           # the information box closes
answer 33_board_list_after_leaving_article 'xdotool key Left'
answer 34_back_to_main_menu 'xdotool key Left'

# --- The short form opened in Zek: paste into the address box, Enter -------------------
expands=$(grep -c 'POST /expand' "$SERVER_LOG" 2>/dev/null || true)
printf '%s' "$SHORT" | xclip -selection clipboard
click "$W" 700 43     # the address box
xdotool key ctrl+a; xdotool key ctrl+v
sleep 0.5
shot 3-short-link-typed
mark=$(lines)
xdotool key Return
wait_until '[ "$(grep -c "POST /expand" "$SERVER_LOG")" -gt "${expands:-0}" ]' 10 ||
    abort "Enter in the address box sent no short-link resolution to zek-server"
walked() { sent_since "$mark" | tr '\n' ' ' | grep -q '32_article_with_pushes'; }
wait_until walked 20 || abort "Zek did not walk to the article (host sent: $(sent_since "$mark" | tr '\n' ' '))"
sleep 1
shot 4-landed
walk=$(sent_since "$mark" | tr '\n' ' ')
say "the session's walk: $walk"
check "Zek walked from the main menu to board Test and found the article by its identifier" \
    grep -Eq '^10_select_board_prompt 11_board_article_list 17_aid_prompt generated 32_article_with_pushes $' <<< "$walk"
check "no other session was opened" test -z "$(grep '^sent' "$D/fake3003.log")"
convert "$OUT/share-journey-4-landed.png" -crop 960x576+160+120 +repage "$D/article-after.png"
differing=$(compare -metric AE -fuzz 10% "$D/article-before.png" "$D/article-after.png" "$D/article-diff.png" 2>&1 >/dev/null)
say "terminal pixels differing from the first visit: $differing of 552960"
check "the screen shows the same article page as before sharing" test "${differing%%.*}" -lt 2000 2>/dev/null
# Zek itself names the article it shows: the share button again (PTT's information box
# gives the identifier) must give the same long form.
printf '' | xclip -selection clipboard
click "$W" 640 600
click "$W" 78 43
wait_until '[ -n "$(dialog)" ]' 10 || abort "the share button showed no link dialog the second time"
DW=$(dialog)
click "$DW" 517 41    # copy the long form
wait_until '[ -n "$(clipboard)" ]' 5
again=$(clipboard)
shot 5-shared-again
say "the long form shared from where Zek landed: $again"
check "sharing where Zek landed gives the same long form" test "$again" = "$LONG"

finish
if [ "$failures" -eq 0 ]; then
    say "share journey: PASS"
    rm -rf "$D"
    exit 0
fi
say "share journey: FAIL ($failures checks; logs in $D)"
exit 1
