#!/usr/bin/env bash
# Serves the browser build (build/web/, made by scripts/build-web.sh first when there is none) on
# 127.0.0.1 and prints its address. The port is the first argument (default 8080). Each file goes out as its gzipped copy
# (NAME.gz, made by the build) to a browser that accepts gzip, with the headers a static host
# should send (see docs/web.md): the type, Content-Encoding, and Cache-Control: no-cache, so that
# a browser keeps what it has and asks only whether it changed (304 Not Modified).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
port="${1:-8080}"
if [ ! -f "$root/build/web/index.html" ]; then
  echo "No page in build/web/ yet: building it (scripts/build-web.sh)"
  "$root/scripts/build-web.sh"
fi
echo "Lumenvale is at http://127.0.0.1:$port/ (Ctrl-C stops the server)"
exec python3 - "$port" "$root/build/web" <<'PY'
import http.server, os, sys

port, folder = int(sys.argv[1]), sys.argv[2]

class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      '.wasm': 'application/wasm', '.data': 'application/octet-stream',
                      '.js': 'text/javascript', '.webmanifest': 'application/manifest+json'}
    packed = False  # the file goes out as its gzipped copy

    def send_head(self):
        self.packed = False
        if self.path.split('?')[0].endswith('/'):
            self.path = self.path.split('?')[0] + 'index.html'
        path = super().translate_path(self.path)
        self.packed = 'gzip' in self.headers.get('Accept-Encoding', '') and \
            os.path.isfile(path) and os.path.isfile(path + '.gz') and os.path.getmtime(path + '.gz') >= os.path.getmtime(path)
        return super().send_head()

    def translate_path(self, path):
        return super().translate_path(path) + ('.gz' if self.packed else '')

    def guess_type(self, path):
        return super().guess_type(path[:-3] if self.packed else path)

    def end_headers(self):
        if self.packed:
            self.send_header('Content-Encoding', 'gzip')
        self.send_header('Vary', 'Accept-Encoding')
        self.send_header('Cache-Control', 'no-cache')
        super().end_headers()

    def log_message(self, *args):
        pass

http.server.ThreadingHTTPServer.allow_reuse_address = True
http.server.ThreadingHTTPServer(('127.0.0.1', port),
                                lambda *a: Handler(*a, directory=folder)).serve_forever()
PY
