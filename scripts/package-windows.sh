#!/usr/bin/env bash
# Makes build/windows/lumenvale-windows-VERSION.zip on a Debian machine: installs what is
# missing, builds GLFW for Windows from Debian's source, cross-builds lumenvale.exe, and builds the
# Linux player and the generators of the run-time data. The zip holds one folder, Lumenvale, with
# the .exe and shaders/ and resources/ beside it: a double-click starts the film there, in the
# .exe's folder. Its README.txt quotes the Linux player's --version and --help.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
scripts/setup.sh
# The generators of resources/ are Linux programs of the default build, and the Linux player
# answers --version and --help for the README.txt as the .exe would. Configured once, as for the
# Linux package.
if [ ! -f build/CMakeCache.txt ]; then cmake --preset default > /dev/null; fi
cmake --build --preset default -j "$(nproc)" --target resources lumenvale
scripts/build-windows.sh --target lumenvale

version="$(build/lumenvale --version | cut -d' ' -f2)"
stage="build/windows/package"
zip_file="$root/build/windows/lumenvale-windows-$version.zip"
rm -rf "$stage" "$zip_file"
mkdir -p "$stage/Lumenvale"
cp build/windows/lumenvale.exe "$stage/Lumenvale/"
cp -rL shaders resources "$stage/Lumenvale/"
# A note for the folder, with the keys as the player's own help gives them, in Windows' line ends.
{
  echo "$(build/lumenvale --version | sed 's/^l/L/'): a short film rendered live, with its music."
  echo
  echo "Double-click lumenvale.exe to play it in a 1920x1080 window; it finds shaders\\ and"
  echo "resources\\ beside it. Press F for full screen and close the window to quit. From a"
  echo "command prompt, \"lumenvale.exe --window fit\" plays in the largest window that fits the"
  echo "screen, \"lumenvale.exe --fullscreen\" full screen; \"lumenvale.exe --help\" lists every option."
  echo
  build/lumenvale --help | sed -n '/^Keys while the film plays:/,$p'
} | sed 's/$/\r/' > "$stage/Lumenvale/README.txt"
(cd "$stage" && zip -qr -X "$zip_file" Lumenvale)
rm -rf "$stage"
echo "Wrote $zip_file"
