#!/usr/bin/env bash
# Builds everything that is missing or out of date and plays the film.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/build.sh"
cd "$root"  # the program finds shaders/ and resources/ here
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: Lumenvale needs a desktop session to open its window." >&2
  exit 1
fi
exec ./build/lumenvale
