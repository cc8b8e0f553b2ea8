#!/usr/bin/env bash
# Builds the fuzz targets (clang and libFuzzer, the `fuzz` preset). Each target first replays
# every input earlier runs found (tests/fuzz/regressions/), once each, then runs for SECONDS
# (default 30) on a scratch copy of its seeds and those inputs, from a fixed seed, so that a run
# on the same build tries the same inputs in the same order. Fails on any crash, sanitizer report,
# input slower than 10 s or allocation above 2 GB; the input that did it is kept in
# build-fuzz/artifacts/ next to the run's log.
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
seconds="${1:-30}"

cmake --preset fuzz > /dev/null
cmake --build --preset fuzz -j "$(nproc)" > /dev/null
artifacts="$root/build-fuzz/artifacts"
mkdir -p "$artifacts"

# The random source of every run: a failure seen once is seen again by running the same command.
seed=1
limits=(-timeout=10 -rss_limit_mb=2048)

# fuzz_target NAME INPUTS: replays the kept inputs, then fuzzes; prints what it found, fails on
# anything.
fuzz_target() {
  local name="$1" inputs="$2"
  local kept="tests/fuzz/regressions/$inputs"
  if [ -d "$kept" ] && [ -n "$(ls -A "$kept")" ]; then
    local replay_log="$artifacts/$name-regressions.log"
    # -close_fd_mask=1: the import's console lines would drown the fuzzer's own.
    if build-fuzz/tests/fuzz/fuzz_"$name" "${limits[@]}" -close_fd_mask=1 "$kept"/* \
        > "$replay_log" 2>&1; then
      echo "fuzz_$name: $(ls -A "$kept" | wc -l) kept inputs replayed, nothing found"
    else
      echo "fuzz_$name: a kept input FAILED, see $replay_log"
      grep -E "ERROR|SUMMARY|runtime error|Running:" "$replay_log" | tail -n 20
      return 1
    fi
  fi
  local work
  work="$(mktemp -d /tmp/lumenvale-fuzz-XXXXXX)"
  cp -r "tests/fuzz/corpus/$inputs/." "$work/"
  if [ -d "$kept" ]; then cp -r "$kept/." "$work/"; fi
  local log="$artifacts/$name.log" result=0
  if build-fuzz/tests/fuzz/fuzz_"$name" -seed="$seed" -max_total_time="$seconds" "${limits[@]}" \
      -close_fd_mask=1 -artifact_prefix="$artifacts/$name-" "$work" > "$log" 2>&1; then
    echo "fuzz_$name: $(grep -o 'Done [0-9]* runs in [0-9]* second(s)' "$log"), nothing found"
  else
    echo "fuzz_$name: FAILED, see $log"
    grep -E "ERROR|SUMMARY|runtime error|Test unit written" "$log" | head -n 20
    result=1
  fi
  rm -rf "$work"
  return "$result"
}

# Each target is one process on one core: as many run at once as there are cores, each still for
# SECONDS of its own. Their reports come in the targets' order.
targets=(obj_import:obj texture_image:image wav_header:wav)
rm -f "$artifacts"/failed-*
# All side by side, whatever the cores: with fewer cores than targets each target gets its share
# of the SECONDS rather than the stage taking SECONDS once per round.
for n in "${!targets[@]}"; do
  target="${targets[$n]}"
  { fuzz_target "${target%%:*}" "${target##*:}" || touch "$artifacts/failed-$n"; } \
    > "$artifacts/report-$n.txt" 2>&1 &
done
wait
status=0
for n in "${!targets[@]}"; do
  cat "$artifacts/report-$n.txt"
  rm -f "$artifacts/report-$n.txt"
  if [ -e "$artifacts/failed-$n" ]; then status=1 && rm "$artifacts/failed-$n"; fi
done
exit "$status"
