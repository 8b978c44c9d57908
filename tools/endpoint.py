#!/usr/bin/env python3
"""A stand-in for the maker's web endpoint, for tests only.

Listens on 127.0.0.1 (port 0 picks a free one; the port is written to
--port-file), logs every request it receives as one line of JSON to --log
(the raw request line as bytes in latin-1, the path, the query as received
and decoded, the agent), and stops by itself after --lifetime seconds.

Answers on /privacy/_from_soft.cgi:
  - a subscription (no "to=", "t=1000"): a body of exactly 1000 bytes whose
    first line holds the marker of the mode;
  - any other request: a short page.
The mode comes from --mode, or from the e-mail address when its local part
names one (already@x.test):
  okay, already, error  the subscription answer with [OKAY],
                        [ALREADY-SUBSCRIBED] or [ERROR]
  short, long           999 or 1001 bytes instead of 1000
  huge                  an answer of 10^8 bytes, sent as fast as it is read
  silent                accepts the connection and never answers
"""
import argparse
import json
import os
import threading
import time
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

PATH = "/privacy/_from_soft.cgi"
MARKERS = {"okay": "[OKAY]", "already": "[ALREADY-SUBSCRIBED]", "error": "[ERROR]"}
LENGTHS = {"short": 999, "long": 1001}


def subscription_answer(mode):
    first = MARKERS.get(mode, "[OKAY]") + "\r\n"
    return (first + "x" * 1000)[: LENGTHS.get(mode, 1000)].encode()


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"

    def log_message(self, *args):
        pass

    def record(self, raw):
        # A line the parser refused leaves no path: the raw line still counts.
        path, _, query = getattr(self, "path", "").partition("?")
        entry = {
            "time": round(time.time(), 3),
            "raw": raw.decode("latin-1"),
            "path": path,
            "query": query,
            "fields": urllib.parse.parse_qsl(query, keep_blank_values=True, encoding="latin-1"),
            "agent": self.headers.get("User-Agent", "") if getattr(self, "headers", None) else "",
        }
        with self.server.log_lock, open(self.server.log_path, "a", encoding="utf-8") as log:
            log.write(json.dumps(entry) + "\n")

    def handle_one_request(self):
        # The raw line is logged before anything is parsed, so that a line the
        # parser refuses is on record too.
        raw = self.rfile.readline(65537)
        if not raw:
            self.close_connection = True
            return
        self.raw_requestline = raw
        parsed = self.parse_request()
        self.record(raw.rstrip(b"\r\n"))
        if not parsed:
            return
        if self.command != "GET":
            self.send_error(405)
        else:
            self.answer()
        self.wfile.flush()
        self.close_connection = True

    def answer(self):
        path, _, query = self.path.partition("?")
        if path != PATH:
            self.send_error(404)
            return
        fields = dict(urllib.parse.parse_qsl(query, keep_blank_values=True))
        local = fields.get("email", "").split("@")[0]
        mode = local if local in ("okay", "already", "error", "short", "long", "huge", "silent") else self.server.mode
        if mode == "silent":
            time.sleep(max(0, self.server.deadline - time.time()))
            return
        if mode == "huge":
            self.send_response(200)
            self.send_header("Content-Type", "text/plain")
            self.send_header("Content-Length", str(10**8))
            self.end_headers()
            block = b"y" * 65536
            sent = 0
            try:
                while sent < 10**8:
                    self.wfile.write(block[: min(len(block), 10**8 - sent)])
                    sent += len(block)
            except OSError:
                pass
            return
        body = subscription_answer(mode) if "to" not in fields and "t" in fields else b"<html>Thank you.</html>"
        self.send_response(200)
        self.send_header("Content-Type", "text/plain")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("--port-file")
    parser.add_argument("--log", required=True)
    parser.add_argument("--mode", default="okay")
    parser.add_argument("--lifetime", type=float, default=300)
    args = parser.parse_args()
    server = ThreadingHTTPServer(("127.0.0.1", args.port), Handler)
    server.daemon_threads = True
    server.log_path = args.log
    server.log_lock = threading.Lock()
    server.mode = args.mode
    server.deadline = time.time() + args.lifetime
    open(args.log, "a").close()
    if args.port_file:
        with open(args.port_file + ".tmp", "w") as f:
            f.write(str(server.server_address[1]))
        os.replace(args.port_file + ".tmp", args.port_file)
    threading.Timer(args.lifetime, server.shutdown).start()
    server.serve_forever(poll_interval=0.2)
    server.server_close()


if __name__ == "__main__":
    main()
