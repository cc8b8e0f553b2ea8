#!/usr/bin/env bash
# Runs a command on this session's display or, where there is none, on a private Xvfb screen of
# its own (default 1920x1080). Xvfb starts over whenever its last client leaves, and refuses
# connections while it does: with -noreset, a client that connects just as another ends still
# finds the server.
#   scripts/on-display.sh [--screen WIDTHxHEIGHT] COMMAND [ARGUMENT...]
set -euo pipefail
screen=1920x1080
if [ "${1:-}" = "--screen" ]; then
  screen="$2"
  shift 2
fi
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 ${screen}x24 -noreset" "$@"
fi
exec "$@"
