#!/usr/bin/env bash
# Builds the film for the browser into build/web/ (index.html, index.js, index.wasm and the data
# package index.data) with Debian's emscripten, from the same sources as the native program. The
# run-time data is the Linux build's generators' (made here when missing); the music goes in as
# Opus. Arguments go to the build step.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
scripts/setup.sh packages.txt
scripts/setup.sh packages-web.txt

# The generators are native programs: only they, not the whole native build, are needed here.
if [ ! -f build/CMakeCache.txt ]; then cmake --preset default > /dev/null; fi
cmake --build --preset default -j "$(nproc)" --target resources

# emcc finds its JavaScript helpers (acorn and the like) among Debian's node modules.
export NODE_PATH=/usr/share/nodejs
emcmake cmake -S . -B build/web-build -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  -DLUMENVALE_GENERATORS=OFF -DLUMENVALE_VIDEO_EXPORT=OFF > /dev/null
cmake --build build/web-build -j "$(nproc)" --target lumenvale "$@"

echo "The page is in build/web/ (sizes gzipped):"
for file in build/web/index.html build/web/index.js build/web/index.wasm build/web/index.data; do
  printf '  %-24s %7d KB  (%d KB)\n' "$(basename "$file")" "$(($(stat -c %s "$file") / 1024))" \
    "$(($(gzip -9 -c "$file" | wc -c) / 1024))"
done
