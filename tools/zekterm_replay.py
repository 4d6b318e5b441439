#!/usr/bin/env python3
"""A stand-in host for zekterm on 127.0.0.1: replays recorded PTT screens to the first
client and prints every byte the client sends, as hex, one line per read.

    zekterm_replay.py PORT LAST [FIXTURE_DIR]

LAST is the number of the last recording to send (the main session, 03..LAST).
It stops when the client leaves or after 120 s.
"""
import glob
import os
import socket
import sys


def main():
    port, last = int(sys.argv[1]), int(sys.argv[2])
    here = os.path.dirname(os.path.abspath(__file__))
    fixtures = sys.argv[3] if len(sys.argv) > 3 else os.path.join(here, "..", "..", "shared", "fixtures", "ptt")
    data = b""
    for n in range(3, last + 1):
        for path in sorted(glob.glob(os.path.join(fixtures, "%02d_*.bin" % n))):
            with open(path, "rb") as f:
                data += f.read()
    server = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    server.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    server.bind(("127.0.0.1", port))
    server.listen(1)
    server.settimeout(120)
    conn, _ = server.accept()
    conn.settimeout(120)
    conn.sendall(data)
    print("sent %d bytes" % len(data), flush=True)
    try:
        while True:
            got = conn.recv(4096)
            if not got:
                break
            print("recv " + got.hex(" "), flush=True)
    except socket.timeout:
        pass
    conn.close()
    server.close()


if __name__ == "__main__":
    main()
