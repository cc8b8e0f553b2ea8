#!/usr/bin/env bash
# Builds everything and runs every test: unit, GL (real OpenGL 3.3 core context) and end-to-end;
# then the Debian package, built, installed with apt, played and removed (skip with --no-package);
# then the same tests for the Windows build under Wine (skip with --no-windows); then the
# reliability stages: the tests built with AddressSanitizer and UndefinedBehaviorSanitizer (skip
# with --no-asan), and each fuzz target for FUZZ_SECONDS (default 15; skip with --no-fuzz); last
# the browser build played in Chromium (skip with --no-web). Other arguments go to the first ctest
# run. Without a display the tests run inside a private Xvfb server. From the Linux tests on, the
# later stages' builds run in the background at the lowest CPU priority, taking what each test
# stage leaves idle; their logs are in build/prebuild/.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
windows=1
asan=1
fuzz=1
web=1
package=1
ctest_args=()
for arg in "$@"; do
  case "$arg" in
    --no-windows) windows=0 ;;
    --no-asan) asan=0 ;;
    --no-fuzz) fuzz=0 ;;
    --no-web) web=0 ;;
    --no-package) package=0 ;;
    *) ctest_args+=("$arg") ;;
  esac
done

# stage NAME: a header line and the time the stages so far took.
started=$SECONDS
stage() { echo "== [$((SECONDS - started)) s] $1"; }

stage "Build"
"$root/scripts/build.sh"
cd "$root"

# The sanitizer, fuzz and browser builds run one after the other in the background, under
# SCHED_IDLE, from the Linux tests on: each test stage keeps the processors whenever it wants
# them, and its idle moments (a player waiting on the X server, a test sleeping through a film's
# seconds, a single-threaded link) build the stages after it. Each stage still runs its own script
# when its turn comes, which finds its tree built; a build that failed here fails there again, in
# plain sight.
prebuilt="$root/build/prebuild"
prebuild() {
  local name="$1"
  shift
  "$@" > "$prebuilt/$name.log" 2>&1 || true
  touch "$prebuilt/$name.done"
}
prebuild_all() {
  if [ "$asan" = 1 ]; then
    prebuild asan sh -c 'cmake --preset asan && cmake --build --preset asan -j "$(nproc)"'
  fi
  if [ "$fuzz" = 1 ]; then
    prebuild fuzz sh -c 'cmake --preset fuzz && cmake --build --preset fuzz -j "$(nproc)"'
  fi
  if [ "$web" = 1 ]; then prebuild web scripts/build-web.sh; fi
}
start_prebuilds() {
  local idle=(nice -n 19)
  if chrt --idle 0 true 2> /dev/null; then idle=(chrt --idle 0); fi
  "${idle[@]}" bash -c "$(declare -p prebuilt asan fuzz web)
    $(declare -f prebuild prebuild_all); prebuild_all" &
}
# A stage that ends the script early ends the background work with it (only jobs still running:
# a finished one's number may belong to another process by then).
end_tree() {
  local child
  for child in $(pgrep -P "$1"); do end_tree "$child"; done
  kill "$1" 2> /dev/null || true
}
trap 'for job in $(jobs -pr); do end_tree "$job"; done' EXIT
# await NAME: waits until the background is done with NAME, or has ended.
await() {
  while [ ! -e "$prebuilt/$1.done" ] && [ -n "$(jobs -pr)" ]; do sleep 1; done
}
rm -rf "$prebuilt"
mkdir -p "$prebuilt"
start_prebuilds
stage "Tests"
scripts/on-display.sh --screen 1920x1080 ctest --preset default -j "$(nproc)" "${ctest_args[@]}"
if [ "$package" = 1 ]; then
  stage "Linux package: built, installed with apt, played, removed"
  scripts/package-linux.sh --test
fi
if [ "$windows" = 1 ]; then
  stage "Windows build"
  # Making Wine's prefix is mostly waiting: it goes along with the build (once Wine is installed;
  # otherwise the first Windows test makes it).
  if command -v wineboot > /dev/null; then
    prebuild wine-prefix tests/wine/wine_session.sh build/windows/wine prepare &
  fi
  "$root/scripts/build-windows.sh"
  await wine-prefix
  stage "Windows tests under Wine"
  # Wine keeps a window, title bar and all, inside the screen: a taller one leaves 1920x1080 inside.
  scripts/on-display.sh --screen 1920x1200 ctest --preset windows -j "$(nproc)"
fi
if [ "$asan" = 1 ]; then
  stage "Sanitizer stage: the tests under AddressSanitizer and UndefinedBehaviorSanitizer"
  await asan
  scripts/asan.sh
fi
if [ "$fuzz" = 1 ]; then
  stage "Fuzz stage: each loader's fuzz target for ${FUZZ_SECONDS:-15} s"
  await fuzz
  scripts/fuzz.sh "${FUZZ_SECONDS:-15}"
fi
if [ "$web" = 1 ]; then
  stage "Web build"
  await web
  scripts/build-web.sh
  stage "Browser tests in Chromium"
  scripts/test-web.sh
fi
stage "All tests passed"
