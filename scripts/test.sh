#!/usr/bin/env bash
# Builds everything and runs every test: unit, GL (real OpenGL 3.3 core context) and end-to-end.
# Without a display the tests run inside a private 1920x1080 Xvfb server.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/build.sh"
cd "$root"
run_tests=(ctest --preset default -j "$(nproc)" "$@")
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1920x1080x24" "${run_tests[@]}"
fi
exec "${run_tests[@]}"
