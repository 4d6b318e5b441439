#!/bin/bash
# Usage: xvfb-run -a -s "-screen 0 1280x800x24" tools/transport_screenshots.sh [BIN_DIR] [OUT_DIR]
# Needs xdotool, imagemagick and Debian's openssh-server. Starts the test PTT host on
# 127.0.0.1 (also as ws://), an sshd of its own in a temporary folder whose forced command
# joins each session to that host, then drives zek like a user: an SSH session (host key
# question, logon, the Big5-UAO article) and a WebSocket session, taking screenshots.
B=${1:-build/bin}; B=$(cd "$B" && pwd)
OUT=${2:-docs}; mkdir -p "$OUT"; OUT=$(cd "$OUT" && pwd)
D=$(mktemp -d); mkdir -p $D/cfg; cp $B/languages.ini $D/cfg/; printf "[SysConfig]\nswitch_of_auto_resize_bbs=1\n" > $D/cfg/App.ini
echo "work folder $D"
export ZEK_CONFIG_DIR=$D/cfg ZEK_PTT_HOST=127.0.0.1 ZEK_PTT_DOMAIN=127.0.0.1 ZEK_WEB_ROOT=http://127.0.0.1:9/
export XDG_RUNTIME_DIR=/tmp/runtime-$(id -u); mkdir -p -m700 $XDG_RUNTIME_DIR
PORT=3302; WSPORT=3303; SSHPORT=3304
cleanup() { for p in $(cat $D/pids 2>/dev/null); do kill $p 2>/dev/null; done; }
trap cleanup EXIT
$B/fakeptt --port $PORT --websocket $WSPORT --no-questions > $D/fake.log 2>&1 & echo $! >> $D/pids
ssh-keygen -q -t ed25519 -N "" -f $D/host_key; ssh-keygen -q -t ed25519 -N "" -f $D/client_key
cp $D/client_key.pub $D/authorized_keys
mkdir -p /run/sshd
cat > $D/sshd_config <<CONF
Port $SSHPORT
ListenAddress 127.0.0.1
HostKey $D/host_key
PidFile $D/sshd.pid
AuthorizedKeysFile $D/authorized_keys
StrictModes no
UsePAM no
PermitRootLogin yes
ForceCommand $B/tcpbridge $PORT
PrintMotd no
LogLevel ERROR
CONF
/usr/sbin/sshd -D -e -f $D/sshd_config > $D/sshd.log 2>&1 & echo $! >> $D/pids
printf "[127.0.0.1]\nidentity_file=$D/client_key\n" > $D/cfg/hosts.ini
sleep 1
$B/zek > $D/zek.log 2>&1 & echo $! >> $D/pids
sleep 6
W=$(xdotool search --onlyvisible --name "Zek" | head -1)
xdotool windowsize $W 1280 800; sleep 1
shot() { import -window root $OUT/$1.png; }
go() {  # opens an address the way "zek ADDRESS" hands it to the running copy
  $B/zek "$1" >> $D/zek.log 2>&1; sleep ${2:-3}
}
logon() { xdotool type --delay 30 "tester"; xdotool key Return; sleep 1; xdotool type --delay 30 "test1234"; xdotool key Return; sleep 1.5; xdotool key space; sleep 1.5; }
go "ssh://$(id -un)@127.0.0.1:$SSHPORT" 4
shot ssh-hostkey
xdotool key alt+y; sleep 3
logon
xdotool type "s"; sleep 0.5; xdotool type --delay 30 "Test"; xdotool key Return; sleep 1.5
xdotool key Return; sleep 1.5                       # article 4, written with UAO text
shot ssh-uao-article
go "ws://127.0.0.1:$WSPORT/" 3
logon
shot websocket-session
