#!/usr/bin/env python3
"""Load on the drivers' board stream: N clients on http://HOST:PORT/events.

Each client is a raw socket reading the server-sent events for T seconds.
Every event's "sequence" is noted; a client passes when it saw every
sequence number between its first and its last, in order, and the server
kept it connected to the end. The program must publish with a sequence that
grows by one at every publish (it does: one per lap and per clock second).

Exit 0 when every client passed, 1 otherwise. Bounded: at most 1000 clients
and 600 seconds.
"""

import argparse
import json
import selectors
import socket
import sys
import time

MAX_CLIENTS = 1000
MAX_SECONDS = 600


class Client:
    def __init__(self, number, host, port):
        self.number = number
        self.sock = socket.create_connection((host, port), timeout=5)
        self.sock.sendall(f"GET /events HTTP/1.1\r\nHost: {host}:{port}\r\n"
                          "Accept: text/event-stream\r\n\r\n".encode())
        self.sock.setblocking(False)
        self.buffer = b""
        self.header_done = False
        self.status = None
        self.sequences = []
        self.problems = []
        self.closed = False
        self.bytes = 0

    def feed(self, data):
        self.bytes += len(data)
        self.buffer += data
        if not self.header_done:
            end = self.buffer.find(b"\r\n\r\n")
            if end < 0:
                return
            head = self.buffer[:end].decode("latin-1")
            self.status = head.split("\r\n", 1)[0]
            if " 200" not in self.status or "text/event-stream" not in head:
                self.problems.append(f"bad answer: {self.status!r}")
            self.buffer = self.buffer[end + 4:]
            self.header_done = True
        while b"\n\n" in self.buffer:
            event, self.buffer = self.buffer.split(b"\n\n", 1)
            for line in event.split(b"\n"):
                if line.startswith(b"data: "):
                    self.note(line[6:])

    def note(self, payload):
        try:
            sequence = int(json.loads(payload)["sequence"])
        except (ValueError, KeyError, TypeError) as error:
            self.problems.append(f"unreadable event: {error}")
            return
        if self.sequences and sequence != self.sequences[-1] + 1:
            if sequence <= self.sequences[-1]:
                self.problems.append(f"sequence went from {self.sequences[-1]} to {sequence}")
            else:
                self.problems.append(
                    f"missed {sequence - self.sequences[-1] - 1} update(s) after {self.sequences[-1]}")
        self.sequences.append(sequence)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("port", type=int)
    parser.add_argument("--host", default="127.0.0.1")
    parser.add_argument("-n", "--clients", type=int, default=200)
    parser.add_argument("-t", "--seconds", type=float, default=30)
    args = parser.parse_args()
    count = max(1, min(args.clients, MAX_CLIENTS))
    seconds = max(1.0, min(args.seconds, MAX_SECONDS))

    selector = selectors.DefaultSelector()
    clients = []
    for number in range(count):
        try:
            client = Client(number, args.host, args.port)
        except OSError as error:
            print(f"client {number}: cannot connect: {error}")
            return 1
        clients.append(client)
        selector.register(client.sock, selectors.EVENT_READ, client)

    started = time.monotonic()
    deadline = started + seconds
    while time.monotonic() < deadline:
        for key, _ in selector.select(timeout=max(0.0, deadline - time.monotonic())):
            client = key.data
            try:
                data = client.sock.recv(1 << 16)
            except (BlockingIOError, InterruptedError):
                continue
            except OSError as error:
                data = b""
                client.problems.append(f"socket error: {error}")
            if not data:
                client.closed = True
                client.problems.append("the server closed the stream")
                selector.unregister(client.sock)
                continue
            client.feed(data)
    for client in clients:
        client.sock.close()

    failed = [c for c in clients if c.problems or not c.sequences]
    received = [len(c.sequences) for c in clients]
    first = min((c.sequences[0] for c in clients if c.sequences), default=None)
    last = max((c.sequences[-1] for c in clients if c.sequences), default=None)
    print(f"{count} clients for {seconds:g} s: {sum(received)} events, "
          f"{min(received)}..{max(received)} per client, sequences {first}..{last}, "
          f"{sum(c.bytes for c in clients) / 1e6:.1f} MB")
    behind = [c for c in clients if c.sequences and last is not None and c.sequences[-1] < last - 1]
    for client in behind:
        client.problems.append(f"ended at {client.sequences[-1]}, the last published was {last}")
        if client not in failed:
            failed.append(client)
    for client in failed[:20]:
        print(f"client {client.number}: " + ("; ".join(client.problems[:3]) or "no event"))
    if failed:
        print(f"FAILED: {len(failed)} of {count} clients missed updates or were dropped")
        return 1
    print("every client received every update")
    return 0


if __name__ == "__main__":
    sys.exit(main())
