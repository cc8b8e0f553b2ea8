#!/usr/bin/env bash
# Serves the browser build (build/web/, made by scripts/build-web.sh) on 127.0.0.1 and prints its
# address. The port is the first argument (default 8080). Any static web server can host the
# folder instead.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
port="${1:-8080}"
if [ ! -f "$root/build/web/index.html" ]; then
  echo "No page in build/web/: run scripts/build-web.sh first." >&2
  exit 1
fi
echo "Lumenvale is at http://127.0.0.1:$port/ (Ctrl-C stops the server)"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$root/build/web"
