#!/usr/bin/env bash
# Builds everything and runs every test: unit, GL (real OpenGL 3.3 core context) and end-to-end;
# then the same for the Windows build under Wine (skip with --no-windows); then the reliability
# stages: the tests built with AddressSanitizer and UndefinedBehaviorSanitizer (skip with
# --no-asan), and each fuzz target for FUZZ_SECONDS (default 15; skip with --no-fuzz); last the
# browser build played in Chromium (skip with --no-web). Other arguments go to the first ctest
# run. Without a display the tests run inside a private Xvfb server.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
windows=1
asan=1
fuzz=1
web=1
ctest_args=()
for arg in "$@"; do
  case "$arg" in
    --no-windows) windows=0 ;;
    --no-asan) asan=0 ;;
    --no-fuzz) fuzz=0 ;;
    --no-web) web=0 ;;
    *) ctest_args+=("$arg") ;;
  esac
done

# stage NAME: a header line and the time the stages so far took.
started=$SECONDS
stage() { echo "== [$((SECONDS - started)) s] $1"; }

stage "Build"
"$root/scripts/build.sh"
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
stage "Tests"
run_tests 1920x1080 ctest --preset default -j "$(nproc)" "${ctest_args[@]}"
if [ "$windows" = 1 ]; then
  stage "Windows build"
  "$root/scripts/build-windows.sh"
  stage "Windows tests under Wine"
  # Wine keeps a window, title bar and all, inside the screen: a taller one leaves 1920x1080 inside.
  run_tests 1920x1200 ctest --preset windows -j "$(nproc)"
fi
if [ "$asan" = 1 ]; then
  stage "Sanitizer stage: the tests under AddressSanitizer and UndefinedBehaviorSanitizer"
  scripts/asan.sh
fi
if [ "$fuzz" = 1 ]; then
  stage "Fuzz stage: each loader's fuzz target for ${FUZZ_SECONDS:-15} s"
  scripts/fuzz.sh "${FUZZ_SECONDS:-15}"
fi
if [ "$web" = 1 ]; then
  stage "Web build"
  scripts/build-web.sh
  stage "Browser tests in Chromium"
  scripts/test-web.sh
fi
stage "All tests passed"
