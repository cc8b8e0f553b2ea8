#!/usr/bin/env bash
# Builds everything and runs every test: unit, GL (real OpenGL 3.3 core context) and end-to-end,
# then the same for the Windows build under Wine (skipped with --no-windows). Other arguments go to
# ctest. Without a display the tests run inside a private 1920x1080 Xvfb server.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
windows=1
ctest_args=()
for arg in "$@"; do
  if [ "$arg" = --no-windows ]; then windows=0; else ctest_args+=("$arg"); fi
done
"$root/scripts/build.sh"
[ "$windows" = 0 ] || "$root/scripts/build-windows.sh"
cd "$root"
# run_tests SCREEN COMMAND...: the command on this display, or on a private Xvfb screen.
run_tests() {
  local screen="$1"
  shift
  if [ -z "${DISPLAY:-}" ]; then
    xvfb-run -a -s "-screen 0 ${screen}x24" "$@"
  else
    "$@"
  fi
}
run_tests 1920x1080 ctest --preset default -j "$(nproc)" "${ctest_args[@]}"
# Wine keeps a window, title bar and all, inside the screen: a taller one leaves 1920x1080 inside.
[ "$windows" = 0 ] || run_tests 1920x1200 ctest --preset windows -j "$(nproc)" "${ctest_args[@]}"
