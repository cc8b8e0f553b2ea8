#!/usr/bin/env bash
# Builds the film for the browser into build/web/ (index.html, index.js, index.wasm, the data
# package index.data, the poster poster.jpg, and what makes the page installable and playable
# offline: service_worker.js, manifest.webmanifest and its icons) with Debian's emscripten, from the same sources
# as the native program. The run-time data is the Linux build's generators' (made here when
# missing); the music goes in as Opus, the models' OBJ text gzipped. Each file also gets a
# gzipped copy beside it (NAME.gz) for servers that send those as they are. Arguments go to the
# build step.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
scripts/setup.sh packages.txt
scripts/setup.sh packages-web.txt

# The generators and the capture tool are native programs: only they, not the whole native
# build, are needed here.
if [ ! -f build/CMakeCache.txt ]; then cmake --preset default > /dev/null; fi
cmake --build --preset default -j "$(nproc)" --target resources lumenvale_capture

# emcc finds its JavaScript helpers (acorn and the like) among Debian's node modules.
export NODE_PATH=/usr/share/nodejs
emcmake cmake -S . -B build/web-build -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  -DLUMENVALE_GENERATORS=OFF -DLUMENVALE_VIDEO_EXPORT=OFF > /dev/null
cmake --build build/web-build -j "$(nproc)" --target lumenvale "$@"

# The poster before the start: the film's own frame at 44 s, made by the capture tool.
capture=build/tools/capture/lumenvale_capture
if [ ! -f build/web/poster.jpg ] || [ "$capture" -nt build/web/poster.jpg ]; then
  frames="$(mktemp -d)"
  scripts/on-display.sh "$capture" "$frames" 44 > /dev/null
  ffmpeg -loglevel error -y -i "$frames/frame_044.00.png" -vf scale=1280:720 -q:v 5 build/web/poster.jpg
  rm -rf "$frames"
fi

# Kept by the browser for a replay without a connection; the icons are the program's own.
cp web/service_worker.js web/manifest.webmanifest build/web/
for size in 192 512; do
  if [ ! -f "build/web/icon-$size.png" ] || [ resources/icon/lumenvale_256.png -nt "build/web/icon-$size.png" ]; then
    ffmpeg -loglevel error -y -i resources/icon/lumenvale_256.png -vf "scale=$size:$size:flags=lanczos" \
      "build/web/icon-$size.png"
  fi
done

for file in build/web/index.html build/web/index.js build/web/index.wasm build/web/index.data; do
  gzip -9 -n -k -f "$file"
done
echo "The page is in build/web/ (sizes gzipped):"
for file in build/web/index.html build/web/index.js build/web/index.wasm build/web/index.data \
            build/web/poster.jpg; do
  gzipped=$([ -f "$file.gz" ] && stat -c %s "$file.gz" || stat -c %s "$file")
  printf '  %-24s %7d KB  (%d KB)\n' "$(basename "$file")" "$(($(stat -c %s "$file") / 1024))" \
    "$((gzipped / 1024))"
done
