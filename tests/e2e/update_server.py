#!/usr/bin/env python3
"""A web server on 127.0.0.1 for the update tests: serves a folder as http.server does, and
the same files under "/slow/" in blocks of 1,024 bytes every 50 ms (about 20 KB/s), so a
download can be watched, photographed and stopped part of the way.

    update_server.py PORT FOLDER
"""
import functools
import http.server
import os
import sys
import time


class Handler(http.server.SimpleHTTPRequestHandler):
    def do_GET(self):
        if not self.path.startswith("/slow/"):
            return super().do_GET()
        path = self.translate_path(self.path[len("/slow"):])
        if not os.path.isfile(path):
            self.send_error(404)
            return
        with open(path, "rb") as f:
            data = f.read()
        self.send_response(200)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        try:
            for start in range(0, len(data), 1024):
                self.wfile.write(data[start:start + 1024])
                self.wfile.flush()
                time.sleep(0.05)
        except (BrokenPipeError, ConnectionResetError):
            pass  # the client stopped the download

    def log_message(self, *args):
        pass


def main():
    port, folder = int(sys.argv[1]), sys.argv[2]
    handler = functools.partial(Handler, directory=folder)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", port), handler)
    server.daemon_threads = True
    server.serve_forever()


if __name__ == "__main__":
    main()
