#!/usr/bin/env bash
# Zek quick start on Debian 12.
#   ./zek.sh run     install what is missing, build, start Zek
#   ./zek.sh test    install what is missing, build everything, run every test
#   ./zek.sh bench   install what is missing, build, run the benchmarks
#   ./zek.sh asan    install what is missing, build the tests with AddressSanitizer,
#                    LeakSanitizer and UBSan in a second tree (ZEK_ASAN_BUILD_DIR,
#                    default ./build-asan) and run every test there
# ZEK_BUILD_DIR (default ./build) and ZEK_JOBS (default 2) change where and how wide
# the build runs.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build="${ZEK_BUILD_DIR:-$here/build}"
jobs="${ZEK_JOBS:-2}"

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-webengine-dev qt6-websockets-dev libssh-dev openssh-server
  libgtest-dev libgmock-dev libbenchmark-dev
  libcpp-httplib-dev libsqlite3-dev libpq-dev
  xvfb xauth fonts-arphic-uming fonts-noto-cjk fonts-dejavu-core imagemagick
  desktop-file-utils dpkg-dev
)

say() { printf 'zek.sh: %s\n' "$*" >&2; }

install_missing() {
  local missing=() p
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  say "installing ${missing[*]}"
  "${sudo[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y "${missing[@]}"
}

configure() {
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="${CMAKE_BUILD_TYPE:-RelWithDebInfo}" >/dev/null
}

# What Qt and WebEngine need to run without a screen, or as root.
runtime_env() {
  export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-/tmp/runtime-$(id -u)}"
  mkdir -p -m700 "$XDG_RUNTIME_DIR"
  export XDG_CACHE_HOME="${XDG_CACHE_HOME:-/tmp/xdg-cache-$(id -u)}"
  export QT_LOGGING_RULES="${QT_LOGGING_RULES:-qt.webenginecontext=false}"
  # WebEngine refuses to start as root with its sandbox on; anyone else keeps it.
  if [ "$(id -u)" -eq 0 ]; then export QTWEBENGINE_DISABLE_SANDBOX=1; fi
}

# True when something accepts connections at the host and port of an http:// URL.
web_root_answers() {
  local rest="${1#http://}" hostport host port
  [ "$rest" = "$1" ] && return 1   # not plain http: leave it to Zek
  hostport="${rest%%/*}"
  host="${hostport%:*}"
  port="${hostport##*:}"
  [ "$host" = "$hostport" ] && port=80
  timeout 3 bash -c "exec 3<>/dev/tcp/$host/$port" 2>/dev/null
}

# With no web server at the configured root (no network, or none configured), Zek's own
# server runs on loopback for as long as Zek does, so the start page, search and short
# links work offline. Its links live in ~/.local/share/zek-server/.
start_web_server() {
  local root="${ZEK_WEB_ROOT:-http://zek.tw/}"
  web_root_answers "$root" && return 0
  local port="${ZEK_SERVER_PORT:-8080}"
  local local_root="http://127.0.0.1:$port/"
  if ! web_root_answers "$local_root"; then
    local out="$build/zek-server.out"
    "$build/bin/zek-server" --address 127.0.0.1 --port "$port" --log "$build/zek-server.log" >"$out" 2>&1 &
    server_pid=$!
    trap 'kill -TERM "$server_pid" 2>/dev/null; wait "$server_pid" 2>/dev/null' EXIT
    local i
    for i in $(seq 50); do
      grep -q 'listening on' "$out" 2>/dev/null && break
      if ! kill -0 "$server_pid" 2>/dev/null; then
        say "zek-server did not start: $(cat "$out")"
        return 0
      fi
      sleep 0.1
    done
    say "no web server at $root; started zek-server at $local_root (log: $build/zek-server.log)"
  fi
  export ZEK_WEB_ROOT="$local_root"
  # The server's own services, unless told otherwise.
  export ZEK_URL_FOR_LONG_URL="${ZEK_URL_FOR_LONG_URL:-${local_root}shorten}"
  export ZEK_URL_FOR_SHORT_URL="${ZEK_URL_FOR_SHORT_URL:-${local_root}expand}"
  export ZEK_URL_FOR_CHECKING_NEW_VERSION="${ZEK_URL_FOR_CHECKING_NEW_VERSION:-${local_root}version}"
}

# Headless test runs: no screen, so no GPU either.
test_env() {
  runtime_env
  export QT_QPA_PLATFORM=offscreen
  export QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:---disable-gpu}"
}

cmd="${1:-}"
case "$cmd" in
  run)
    install_missing
    configure
    ninja -C "$build" -j "$jobs" zek zek_server
    runtime_env
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
      say "no display to show Zek on (DISPLAY is not set); try: xvfb-run -a ./zek.sh run"
      exit 1
    fi
    shift
    start_web_server
    "$build/bin/zek" "$@"
    ;;
  test)
    install_missing
    configure
    ninja -C "$build" -j "$jobs"
    test_env
    cd "$build"
    ctest --output-on-failure --timeout 300 -j "$jobs"
    ;;
  asan)
    install_missing
    asan_build="${ZEK_ASAN_BUILD_DIR:-$here/build-asan}"
    # -O1 keeps the build quick and the stacks readable; benchmarks are left out. Every
    # report ends the test that caused it (-fno-sanitize-recover).
    cmake -S "$here" -B "$asan_build" -G Ninja -DCMAKE_BUILD_TYPE=None -DZEK_BUILD_BENCH=OFF \
      "-DCMAKE_CXX_FLAGS=-O1 -g1 -fno-omit-frame-pointer -fsanitize=address,undefined -fno-sanitize-recover=undefined" \
      "-DCMAKE_EXE_LINKER_FLAGS=-fsanitize=address,undefined" \
      "-DCMAKE_SHARED_LINKER_FLAGS=-fsanitize=address,undefined" \
      "-DCMAKE_MODULE_LINKER_FLAGS=-fsanitize=address,undefined" >/dev/null
    # Leaks are reported, but not those that the web engine, fontconfig and udev keep
    # until exit inside themselves (tests/support/lsan-suppressions.txt).
    export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:strict_string_checks=1:check_initialization_order=1}"
    export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$here/tests/support/lsan-suppressions.txt:print_suppressions=0}"
    export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}"
    test_env
    ninja -C "$asan_build" -j "$jobs"
    cd "$asan_build"
    # Every test, the web engine's and the fuzz corpus replays included.
    ctest --output-on-failure --timeout 600 -j "$jobs"
    ;;
  bench)
    install_missing
    configure
    ninja -C "$build" -j "$jobs"
    runtime_env
    export QT_QPA_PLATFORM=offscreen
    status=0
    for b in "$build"/bin/*_bench; do
      say "running $(basename "$b")"
      "$b" || status=1
    done
    exit $status
    ;;
  *)
    echo "usage: $0 run|test|bench|asan" >&2
    exit 2
    ;;
esac
