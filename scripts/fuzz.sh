#!/usr/bin/env bash
# Builds the fuzz targets (clang and libFuzzer, the `fuzz` preset) and runs each one for SECONDS
# (default 30) on a scratch copy of its seeds and of the inputs earlier runs found. Fails on any
# crash, sanitizer report, input slower than 10 s or allocation above 2 GB; the input that did it
# is kept in build-fuzz/artifacts/ next to the run's log.
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
seconds="${1:-30}"

cmake --preset fuzz > /dev/null
cmake --build --preset fuzz -j "$(nproc)" > /dev/null
artifacts="$root/build-fuzz/artifacts"
mkdir -p "$artifacts"

status=0
for target in obj_import:obj texture_image:image wav_header:wav; do
  name="${target%%:*}"
  inputs="${target##*:}"
  work="$(mktemp -d /tmp/lumenvale-fuzz-XXXXXX)"
  cp -r "tests/fuzz/corpus/$inputs/." "$work/"
  if [ -d "tests/fuzz/regressions/$inputs" ]; then cp -r "tests/fuzz/regressions/$inputs/." "$work/"; fi
  log="$artifacts/$name.log"
  # -close_fd_mask=1: the import's console lines would drown the fuzzer's own.
  if build-fuzz/tests/fuzz/fuzz_"$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -close_fd_mask=1 -artifact_prefix="$artifacts/$name-" "$work" > "$log" 2>&1; then
    echo "fuzz_$name: $(grep -o 'Done [0-9]* runs in [0-9]* second(s)' "$log"), nothing found"
  else
    echo "fuzz_$name: FAILED, see $log"
    grep -E "ERROR|SUMMARY|runtime error|Test unit written" "$log" | head -n 20
    status=1
  fi
  rm -rf "$work"
done
exit "$status"
