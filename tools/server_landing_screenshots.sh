#!/usr/bin/env bash
# Screenshots of zek-server's pages in Chromium, and a check that the landing page's
# "Open in Zek" button hands the link over through the clipboard.
#   xvfb-run -a -s "-screen 0 1000x860x24" tools/server_landing_screenshots.sh [OUTDIR]
# Needs chromium, xdotool, xclip and imagemagick (developer tools, not build packages).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="${1:-$here/docs}"
server="${ZEK_BUILD_DIR:-$here/build}/bin/zek-server"
work="$(mktemp -d)"
port=18181
"$server" --config "$work/zek-server.ini" --port "$port" --log "$work/requests.log" >"$work/out" 2>&1 &
server_pid=$!
trap 'kill -TERM $server_pid 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 50); do grep -q 'listening on' "$work/out" && break; sleep 0.1; done
root="http://127.0.0.1:$port/"

# A few shared links, so the start page has something to list.
post() { curl -s -X POST -H 'content-type: application/x-www-form-urlencoded' --data-binary "$1" "${root}shorten" >/dev/null; }
post 'x=BBS=ptt.cc&Board=Gossiping&ArticleAID=1h57JlJx&Title=%5B%E5%95%8F%E5%8D%A6%5D%20%E5%8F%B0%E5%8C%97%E4%BB%8A%E5%A4%A9%E6%9C%83%E4%B8%8B%E9%9B%A8%E5%97%8E%EF%BC%9F&Author=tester%20(%E6%B8%AC%E8%A9%A6)'
for board in Test C_Chat Stock; do post "x=BBS=ptt.cc&Board=$board"; done

chromium_flags=(--no-sandbox --test-type --disable-gpu --disable-background-networking --no-first-run)
chromium "${chromium_flags[@]}" --headless --user-data-dir="$(mktemp -d)" --window-size=1000,860 \
  --screenshot="$out/server-home.png" "${root}home.html" >/dev/null 2>&1

landing="${root}?cmd=pas:BBS=ptt.cc&Board=Gossiping&ArticleAID=1h57JlJx"
chromium "${chromium_flags[@]}" --user-data-dir="$(mktemp -d)" --window-position=0,0 --window-size=1000,860 \
  --app="$landing" >/dev/null 2>&1 &
browser=$!
# Wait for the page's title; windows come and go meanwhile, so poll rather than --sync.
for _ in $(seq 120); do xdotool search --name " - Zek" >/dev/null 2>&1 && break; sleep 0.5; done
sleep 3
import -window root "$out/server-landing.png"
xdotool mousemove 190 420 click 1   # the "Open in Zek" button
sleep 2
import -window root "$out/server-landing-handoff.png"
clip="$(timeout 5 xclip -o -selection clipboard || true)"
kill $browser
echo "clipboard: $clip"
[ "$clip" = "pas:?cmd=pas:BBS=ptt.cc&Board=Gossiping&ArticleAID=1h57JlJx" ]
