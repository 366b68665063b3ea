#!/usr/bin/env python3
"""Record what an OLT (or tarnwick-olt-sim) sends during a short session, for tarnwick-replay.

    record-capture.py HOST PORT OUT.bin [COMMAND ...]

Logs in as root/admin the way the console does, answers paging prompts like the console, sends
each COMMAND (a "\\r\\n" is added; "\\n" inside a command is sent as "\\r\\n") once the previous
output has ended, and writes every received byte, unchanged, to OUT.bin.

tests/fixtures/replay/demo-session.bin came from a simulator started with
"tarnwick-olt-sim --listen 127.0.0.1:0 --scenario demo" and
    record-capture.py 127.0.0.1 PORT demo-session.bin "scroll 20\n" "display board 0\n" \
        "display ont info 0 1 0 all\n" "display ont autofind all" \
        "display ont info by-sn 48575443FF470001"
("scroll 20" makes the ONT listing page).

tests/fixtures/replay/catalogue-session.bin holds the answers to the query catalogue's commands
(each sent as the catalogue sends it, "\n" for its extra empty line), recorded the same way.
"""
import socket
import sys
import time

PAGING = "任意键继续显示".encode("gbk")
PAGING_EN = b"---- More"
AFTER_PASSWORD = b"\r\n\r\nQ\r\n\r\nenable\r\nconfig\r\nswitch language-mode\r\n\r\n"


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    host, port, out = sys.argv[1], int(sys.argv[2]), sys.argv[3]
    commands = [c.replace("\\n", "\r\n") + "\r\n" for c in sys.argv[4:]]
    sock = socket.create_connection((host, port), timeout=5)
    sock.settimeout(0.6)
    received = bytearray()
    answers = {PAGING: b"    \r\n\r\n", PAGING_EN: b"    \r\n\r\n",
               b"User name:": b"root\r\n", b"User password:": b"admin" + AFTER_PASSWORD}
    scanned = {prompt: 0 for prompt in answers}  # where the search for each prompt goes on

    def pump():
        """Read until the OLT has been quiet for a moment, answering prompts on the way."""
        while True:
            try:
                data = sock.recv(65536)
            except socket.timeout:
                return
            if not data:
                return
            received.extend(data)
            for prompt, answer in answers.items():
                while (at := received.find(prompt, scanned[prompt])) >= 0:
                    scanned[prompt] = at + len(prompt)
                    sock.sendall(answer)

    pump()
    for command in commands:
        sock.sendall(command.encode("gbk"))
        time.sleep(0.1)
        pump()
    sock.close()
    with open(out, "wb") as f:
        f.write(received)
    print(f"{len(received)} bytes to {out}")


if __name__ == "__main__":
    main()
