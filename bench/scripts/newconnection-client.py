#!/usr/bin/env python3
"""Requests per second with a new connection per request, one at a time.

Each request connects, sends GET / with "Connection: close", reads until the
server closes and checks the body. A connection closed without an answer is
counted as refused. Usage: newconnection-client.py <port> <seconds>
Prints "<answered per second> <refused>".
"""
import socket
import sys
import time

REQUEST = b"GET / HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n"


def one_request(port):
    with socket.create_connection(("127.0.0.1", port), timeout=5) as s:
        s.sendall(REQUEST)
        received = b""
        while True:
            chunk = s.recv(4096)
            if not chunk:
                return received.endswith(b"hello world.")
            received += chunk


def main():
    port, seconds = int(sys.argv[1]), float(sys.argv[2])
    answered = refused = 0
    start = time.monotonic()
    while time.monotonic() - start < seconds:
        try:
            ok = one_request(port)
        except ConnectionError:
            ok = False
        if ok:
            answered += 1
        else:
            refused += 1
    print(f"{answered / (time.monotonic() - start):.0f} {refused}")


if __name__ == "__main__":
    main()
