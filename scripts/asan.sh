#!/usr/bin/env bash
# Builds the engine and its tests with AddressSanitizer and UndefinedBehaviorSanitizer (the `asan`
# preset, in build-asan/) and runs the unit, GL and end-to-end tests under them. Reuses resources/
# from the default build, so run scripts/build.sh first. The bad-input matrix is left out: it
# starts some seventy players, which under the sanitizers takes minutes, and the loaders it feeds
# are fuzzed under the same sanitizers. The video exporter is left out too (the player is built
# without it): its tests encode minutes of video. So are the film transport tests, which listen for
# the music against the film's clock over tens of seconds, and the window options' test, which
# starts a private screen for each size: their code runs under the sanitizers in the other window
# tests, and the sanitizers' slowdown only stretches their waits. The tree is built at -O1 with
# line tables and assertions on: half the build time of the release flags, and still fast enough
# for the GL tests.
# It is built by clang, whose instrumented code builds and runs in two thirds of GCC's time.
# Extra arguments go to ctest.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
[ -f resources/audio/cin.wav ] || { echo "asan: no resources/ here; run scripts/build.sh first" >&2; exit 2; }
cmake --preset asan > /dev/null
cmake --build --preset asan -j "$(nproc)" > /dev/null
exec scripts/on-display.sh ctest --preset asan -j "$(nproc)" -E 'BadInputMatrix|FilmTransport|PlayerWindow.Options' "$@"
