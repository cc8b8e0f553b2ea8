#!/usr/bin/env bash
# Builds everything and runs every test: unit, GL (real OpenGL 3.3 core context) and end-to-end.
# Then the reliability stages: the same tests built with AddressSanitizer and
# UndefinedBehaviorSanitizer (skip with --no-asan), and each fuzz target for FUZZ_SECONDS
# (default 30; skip with --no-fuzz). Other arguments go to the first ctest run.
# Without a display the tests run inside a private 1920x1080 Xvfb server.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
asan=1
fuzz=1
ctest_args=()
for arg in "$@"; do
  case "$arg" in
    --no-asan) asan=0 ;;
    --no-fuzz) fuzz=0 ;;
    *) ctest_args+=("$arg") ;;
  esac
done

"$root/scripts/build.sh"
cd "$root"
run_tests=(ctest --preset default -j "$(nproc)" "${ctest_args[@]}")
if [ -z "${DISPLAY:-}" ]; then
  xvfb-run -a -s "-screen 0 1920x1080x24" "${run_tests[@]}"
else
  "${run_tests[@]}"
fi

if [ "$asan" -eq 1 ]; then
  echo "== Sanitizer stage: the tests under AddressSanitizer and UndefinedBehaviorSanitizer"
  scripts/asan.sh
fi
if [ "$fuzz" -eq 1 ]; then
  echo "== Fuzz stage: each loader's fuzz target for ${FUZZ_SECONDS:-30} s"
  scripts/fuzz.sh "${FUZZ_SECONDS:-30}"
fi
