#!/usr/bin/python3
"""Loopback HTTP(S) server for tests, driven through stdin/stdout.

Usage: http_server.py [--root DIR] [--https CERT_DIR]

Listens on 127.0.0.1 on a port the system picks and prints one JSON line:
    {"port": N, "cert": "<CERT_DIR>/cert.pem" or ""}
With --https it first makes a self-signed certificate for 127.0.0.1 and
localhost in CERT_DIR with `openssl req` and speaks TLS.

Then it reads one JSON command per line from stdin and answers each with one
JSON line on stdout:
    {"cmd": "route", "path": P, ...route fields...}  -> {"ok": true}
    {"cmd": "requests"}                             -> {"requests": [...]}
    {"cmd": "clear"}                                -> {"ok": true}
End of stdin stops the server.

A route answers GET requests whose target is P, or whose path without the
query or without the scheme and host (proxy requests) is P. Fields:
    status          status code (200)
    reason          reason phrase (the usual one)
    headers         [[name, value], ...] sent as given
    body_b64        body, base64 ("")
    length          "auto" (the body's size), "none" (no Content-Length) or
                    a number announced whatever the body's size
    header_delay    seconds to wait before the status line
    chunk, delay    send the body in pieces of `chunk` bytes, `delay`
                    seconds apart
    stall_after     after this many body bytes, hold the connection open
                    for `stall` seconds without sending anything
    stall           see stall_after (default 3600)
Requests that match no route are answered from the --root folder (404 when
the file is missing). The connection closes after every response.

Each recorded request: {"method", "target", "version", "headers": [[n, v]]}.
"""

import argparse
import base64
import http.server
import json
import os
import socketserver
import ssl
import subprocess
import sys
import threading
import time
import urllib.parse

routes = {}
requests = []
lock = threading.Lock()
root = None


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"

    def log_message(self, format, *args):
        pass

    def do_GET(self):
        self.record()
        route = self.find_route()
        if route is not None:
            self.answer_route(route)
        else:
            self.answer_file()

    def do_HEAD(self):
        self.record()
        self.send_error(405)

    do_POST = do_HEAD

    def record(self):
        entry = {
            "method": self.command,
            "target": self.path,
            "version": self.request_version,
            "headers": [[k, v] for k, v in self.headers.items()],
        }
        with lock:
            requests.append(entry)

    def candidates(self):
        target = self.path
        parts = urllib.parse.urlsplit(target)
        yield target
        if parts.scheme:
            yield parts.path + ("?" + parts.query if parts.query else "")
        yield parts.path

    def find_route(self):
        with lock:
            for key in self.candidates():
                if key in routes:
                    return routes[key]
        return None

    def answer_route(self, route):
        time.sleep(route.get("header_delay", 0))
        body = base64.b64decode(route.get("body_b64", ""))
        self.send_response(route.get("status", 200), route.get("reason"))
        for name, value in route.get("headers", []):
            self.send_header(name, value)
        length = route.get("length", "auto")
        if length == "auto":
            self.send_header("Content-Length", str(len(body)))
        elif length != "none":
            self.send_header("Content-Length", str(length))
        self.end_headers()
        chunk = route.get("chunk", 0) or len(body) or 1
        delay = route.get("delay", 0)
        stall_after = route.get("stall_after", -1)
        sent = 0
        try:
            while sent < len(body):
                if sent == stall_after:
                    self.wfile.flush()
                    time.sleep(route.get("stall", 3600))
                    stall_after = -1
                end = min(sent + chunk, len(body))
                if stall_after > sent:
                    end = min(end, stall_after)
                self.wfile.write(body[sent:end])
                self.wfile.flush()
                sent = end
                if delay and sent < len(body):
                    time.sleep(delay)
            if sent == stall_after:
                self.wfile.flush()
                time.sleep(route.get("stall", 3600))
        except OSError:
            pass

    def answer_file(self):
        if root is None:
            self.send_error(404)
            return
        rel = urllib.parse.unquote(urllib.parse.urlsplit(self.path).path).lstrip("/")
        full = os.path.realpath(os.path.join(root, rel))
        if not full.startswith(os.path.realpath(root) + os.sep) or not os.path.isfile(full):
            self.send_error(404)
            return
        with open(full, "rb") as f:
            size = os.fstat(f.fileno()).st_size
            self.send_response(200)
            self.send_header("Content-Length", str(size))
            self.end_headers()
            self.wfile.flush()
            try:
                if isinstance(self.connection, ssl.SSLSocket):
                    while block := f.read(1 << 20):
                        self.wfile.write(block)
                else:
                    self.connection.sendfile(f)
            except OSError:
                pass


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True
    request_queue_size = 64
    tls = None

    def finish_request(self, request, client_address):
        # The TLS handshake runs in the connection's own thread, so a client
        # that never completes it holds up no one else.
        if self.tls is not None:
            try:
                request = self.tls.wrap_socket(request, server_side=True)
            except (OSError, ssl.SSLError):
                return
        try:
            super().finish_request(request, client_address)
        finally:
            if self.tls is not None:
                try:
                    request.unwrap().close()
                except (OSError, ssl.SSLError, ValueError):
                    request.close()


def make_certificate(folder):
    os.makedirs(folder, exist_ok=True)
    cert = os.path.join(folder, "cert.pem")
    key = os.path.join(folder, "key.pem")
    subprocess.run(
        ["openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
         "-nodes", "-keyout", key, "-out", cert, "-days", "2", "-subj", "/CN=127.0.0.1",
         "-addext", "subjectAltName=IP:127.0.0.1,DNS:localhost"],
        check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return cert, key


def reply(obj):
    sys.stdout.write(json.dumps(obj) + "\n")
    sys.stdout.flush()


def main():
    global root
    parser = argparse.ArgumentParser()
    parser.add_argument("--root")
    parser.add_argument("--https", metavar="CERT_DIR")
    args = parser.parse_args()
    root = args.root

    server = Server(("127.0.0.1", 0), Handler)
    cert = ""
    if args.https:
        cert, key = make_certificate(args.https)
        server.tls = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        server.tls.load_cert_chain(cert, key)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    reply({"port": server.server_address[1], "cert": cert})

    for line in sys.stdin:
        if not line.strip():
            continue
        command = json.loads(line)
        kind = command.pop("cmd")
        if kind == "route":
            with lock:
                routes[command.pop("path")] = command
            reply({"ok": True})
        elif kind == "requests":
            with lock:
                reply({"requests": list(requests)})
        elif kind == "clear":
            with lock:
                requests.clear()
            reply({"ok": True})
        else:
            reply({"error": "unknown command " + kind})


if __name__ == "__main__":
    main()
