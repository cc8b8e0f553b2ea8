#!/usr/bin/env bash
# Runs the browser tests: Debian's Chromium, driven by puppeteer-core (tests/web, installed from
# its lockfile; no browser is downloaded), plays build/web/ (scripts/build-web.sh) and compares
# its frames with the native capture tool's (scripts/build.sh). Without a display the capture
# tool runs inside a private Xvfb server.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
scripts/setup.sh packages-web.txt
# Debian's nodejs comes without npm; a node from elsewhere that brings its own npm keeps it (Debian's
# npm would conflict with it).
command -v npm > /dev/null || scripts/setup.sh packages-npm.txt
(cd tests/web && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error)
exec scripts/on-display.sh node --test tests/web/
