#!/usr/bin/env bash
# Soak run: plays the whole film LOOPS times (default 3) in one process under Xvfb, restarting it
# with C and pressing M, N, R and P between plays, while it samples the resident memory every
# SAMPLE_SECONDS (default 5). The player is built with per-frame GL error reports (the `soak`
# preset). Prints the memory at the start of each play and fails when any GL error was reported
# or when memory grows by more than MAX_GROWTH_KB (default 5120) from the second play on.
# Needs resources/ from scripts/build.sh. Takes about LOOPS x 2.5 minutes; not part of the tests.
#   scripts/soak.sh [LOOPS]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
loops="${1:-3}"
sample_seconds="${SAMPLE_SECONDS:-5}"
max_growth_kb="${MAX_GROWTH_KB:-5120}"

if [ -z "${DISPLAY:-}" ]; then
  exec "$root/scripts/on-display.sh" "$0" "$@"
fi
[ -f resources/audio/cin.wav ] || { echo "soak: no resources/ here; run scripts/build.sh first" >&2; exit 2; }

cmake --preset soak > /dev/null
cmake --build --preset soak -j "$(nproc)" --target lumenvale > /dev/null

work="$(mktemp -d /tmp/lumenvale-soak-XXXXXX)"
echo "soak: logs in $work"
SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}" build-soak/lumenvale > "$work/stdout" 2> "$work/stderr" &
player=$!
trap 'kill "$player" 2> /dev/null || true' EXIT

rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$player/status"; }
plays_ended() { grep -c "Camera sequence completed" "$work/stdout" || true; }
press() {
  xdotool keydown "$1"; sleep 0.3; xdotool keyup "$1"; sleep 0.5
}

window="$(xdotool search --sync --pid "$player" | head -n 1)"
xdotool windowfocus "$window" 2> /dev/null || true
# The title changes from "Lumenvale" once the first frame has been shown.
until xdotool getwindowname "$window" | grep -q FPS; do sleep 0.5; done

declare -a start_kb
elapsed=0
for ((play = 1; play <= loops; play++)); do
  start_kb[$play]="$(rss_kb)"
  echo "soak: play $play starts at ${start_kb[$play]} kB resident"
  while [ "$(plays_ended)" -lt "$play" ]; do
    kill -0 "$player" 2> /dev/null || { echo "soak: the player ended during play $play" >&2; exit 1; }
    echo "$elapsed $(rss_kb)" >> "$work/rss.txt"
    sleep "$sample_seconds"
    elapsed=$((elapsed + sample_seconds))
  done
  sleep 3  # the fade to black
  if [ "$play" -lt "$loops" ]; then
    for key in m n r p c; do press "$key"; done
  fi
done
end_kb="$(rss_kb)"
echo "soak: after play $loops: $end_kb kB resident; peak $(sort -k2 -n "$work/rss.txt" | tail -n 1 | cut -d' ' -f2) kB"

gl_errors="$(grep -c "^GL error" "$work/stderr" || true)"
status=0
if [ "$gl_errors" -gt 0 ]; then
  echo "soak: FAIL: $gl_errors GL error lines, first: $(grep -m1 "^GL error" "$work/stderr")"
  status=1
fi
if [ "$loops" -ge 2 ]; then
  checks=()
  for ((play = 3; play <= loops; play++)); do checks+=("the start of play $play:${start_kb[$play]}"); done
  checks+=("the end:$end_kb")
  for check in "${checks[@]}"; do
    growth=$((${check##*:} - start_kb[2]))
    echo "soak: from the start of play 2 to ${check%%:*}: $growth kB"
    if [ "$growth" -gt "$max_growth_kb" ]; then
      echo "soak: FAIL: memory grew by more than $max_growth_kb kB"
      status=1
    fi
  done
fi
[ "$status" -eq 0 ] && echo "soak: PASS: no GL errors; memory flat from play 2 on (limit $max_growth_kb kB)"
exit "$status"
