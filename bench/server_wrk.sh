#!/bin/bash
# Usage: bench/server_wrk.sh [BIN_DIR] [SECONDS]
# zek-server's short-link resolution and creation under wrk on loopback, with 1 and 32
# keep-alive connections; wrk is an event loop on one thread, so the load generator takes
# a smaller share of the two cores than the Google Benchmark clients do. Each run is
# bounded (SECONDS, default 10). Needs wrk (Debian package wrk) and curl.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
B=${1:-$here/../build/bin}; SECONDS_PER_RUN=${2:-10}
command -v wrk >/dev/null || { echo "server_wrk: needs wrk (apt-get install wrk)"; exit 2; }
D=$(mktemp -d /tmp/server-wrk.XXXXXX)
"$B/zek-server" --config "$D/zek-server.ini" --port 0 --rate 0 --log "$D/requests.log" > "$D/out" 2>&1 &
SP=$!
trap 'kill $SP 2>/dev/null; wait $SP 2>/dev/null; rm -rf "$D"' EXIT
for _ in $(seq 50); do grep -q 'listening on' "$D/out" && break; sleep 0.1; done
ROOT=$(sed -n 's/.*listening on \(http:[^ ]*\).*/\1/p' "$D/out")
[ -n "$ROOT" ] || { cat "$D/out"; exit 1; }
for i in $(seq 1000); do
    curl -s -d "x=BBS=ptt.cc&Board=Known$i&ArticleAID=1abc$i" "${ROOT}shorten" | head -1 | tr -d '\r'
done > "$D/codes"
cat > "$D/expand.lua" <<'LUA'
local codes = {}
for line in io.lines(os.getenv("ZEK_BENCH_CODES")) do codes[#codes + 1] = line end
wrk.method = "POST"
wrk.headers["Content-Type"] = "application/x-www-form-urlencoded"
request = function()
  return wrk.format(nil, "/expand", nil, "x=x=" .. codes[math.random(#codes)])
end
LUA
cat > "$D/shorten.lua" <<'LUA'
local n = 0
wrk.method = "POST"
wrk.headers["Content-Type"] = "application/x-www-form-urlencoded"
request = function()
  n = n + 1
  return wrk.format(nil, "/shorten", nil, "x=BBS=ptt.cc&Board=Wrk" .. os.time() .. "_" .. n)
end
LUA
export ZEK_BENCH_CODES=$D/codes
for kind in expand shorten; do
    for c in 1 32; do
        echo "== $kind, $c connection(s), ${SECONDS_PER_RUN}s"
        wrk -t1 -c$c -d${SECONDS_PER_RUN}s --latency -s "$D/$kind.lua" "$ROOT" | grep -E 'Requests/sec|^ +(50|99)%|Non-2xx|Socket errors'
    done
done
