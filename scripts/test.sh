#!/usr/bin/env bash
# Builds everything and runs every test: unit, GL (real OpenGL 3.3 core context) and end-to-end;
# then the Debian package, built, checked by lintian, installed with apt, played and removed (skip
# with --no-package); then the same tests for the Windows build under Wine, and its zip (skip with
# --no-windows); then the reliability stages: the tests built with AddressSanitizer and
# UndefinedBehaviorSanitizer (skip with --no-asan), and each fuzz target for FUZZ_SECONDS (default
# 15; skip with --no-fuzz); last the browser build played in Chromium and served by
# scripts/serve-web.sh (skip with --no-web). The packages are made by the README's own commands,
# each from a tree without the programs it reads, as on a fresh clone. Other arguments go to the
# first ctest run. Without a display the tests run inside a private Xvfb server. From the Linux
# tests on, the later stages' builds run in the background at the lowest CPU priority, taking what
# each test stage leaves idle; their logs are in build/prebuild/.
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
# The README's "Watch it" commands each build what they read, for a fresh clone has no build tree.
# Before each runs here, the programs it reads are removed, so that a command that reads one it
# does not build fails here; remaking them is a link each.
without() { rm -f "$@"; }

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
  "$@" > "$prebuilt/$name.log" 2>&1 || touch "$prebuilt/$name.failed"
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
idle=(nice -n 19)
if chrt --idle 0 true 2> /dev/null; then idle=(chrt --idle 0); fi
start_prebuilds() {
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
  stage "Linux package from a tree without the player: built, checked by lintian, installed with apt, played, removed"
  without build/lumenvale
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
  # The zip is made in the background, as the later stages' builds are, from a tree without the
  # players it reads; the stage after the fuzzers looks at it.
  without build/lumenvale build/windows/lumenvale.exe
  "${idle[@]}" bash -c "$(declare -p prebuilt); $(declare -f prebuild)
    prebuild windows-zip scripts/package-windows.sh" &
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
if [ "$windows" = 1 ]; then
  stage "Windows zip, made by scripts/package-windows.sh from a tree without the players"
  await windows-zip
  [ ! -e "$prebuilt/windows-zip.failed" ] || { cat "$prebuilt/windows-zip.log"; exit 1; }
  version="$(build/lumenvale --version)"
  zip_file="build/windows/lumenvale-windows-${version#lumenvale }.zip"
  listing="$(unzip -Z1 "$zip_file")"
  readme="$(unzip -p "$zip_file" Lumenvale/README.txt)"
  [[ $'\n'"$listing"$'\n' == *$'\nLumenvale/lumenvale.exe\n'* && "$readme" == "L${version#l}:"* ]] ||
    { echo "$zip_file lacks the player or its README.txt the version"; exit 1; }
fi
if [ "$web" = 1 ]; then
  stage "Web build"
  await web
  scripts/build-web.sh
  stage "Browser tests in Chromium"
  scripts/test-web.sh
  stage "The page served by scripts/serve-web.sh"
  port="$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')"
  scripts/serve-web.sh "$port" > build/serve-web.log 2>&1 &
  server=$!
  # The program as a browser asks for it: gzipped, with its type.
  served=0
  python3 - "$port" <<'PY' && served=1
import sys, time, urllib.request
request = urllib.request.Request(f"http://127.0.0.1:{sys.argv[1]}/index.wasm",
                                 headers={"Accept-Encoding": "gzip"})
for _ in range(100):
    try:
        with urllib.request.urlopen(request) as response:
            sys.exit(response.headers["Content-Type"] != "application/wasm" or
                     response.headers["Content-Encoding"] != "gzip")
    except OSError:
        time.sleep(0.1)
sys.exit(1)
PY
  end_tree "$server"
  [ "$served" = 1 ] || { echo "scripts/serve-web.sh did not serve the page:"; cat build/serve-web.log; exit 1; }
fi
stage "All tests passed"
