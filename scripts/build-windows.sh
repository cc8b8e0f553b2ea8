#!/usr/bin/env bash
# Cross-builds lumenvale.exe and its Windows tests into build/windows with mingw-w64. GLFW comes
# from Debian's source package, built static once and kept in build/windows/deps. The run-time
# data under resources/ is the Linux build's (scripts/build.sh makes it). Arguments go to the
# build step, e.g. `--target lumenvale`.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
scripts/setup.sh packages.txt
scripts/setup.sh packages-windows.txt

deps="$root/build/windows/deps"
glfw_version=3.3.8
glfw_source="$deps/glfw3-$glfw_version"
glfw_prefix="$deps/glfw"

if [ ! -f "$glfw_source/CMakeLists.txt" ]; then
  # A private deb-src entry and package lists in a scratch folder: the machine's apt set-up is
  # never touched, and the folder goes whatever happens.
  apt_dir="$(mktemp -d)"
  trap 'rm -rf "$apt_dir"' EXIT
  cat > "$apt_dir/glfw-source.sources" <<SOURCES
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
  mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$deps"
  apt_options=(-qq -o "Dir::Etc::SourceList=$apt_dir/glfw-source.sources"
               -o Dir::Etc::SourceParts=- -o "Dir::State::Lists=$apt_dir/lists"
               -o "Dir::Cache=$apt_dir/cache" -o APT::Sandbox::User=root)
  echo "Fetching GLFW $glfw_version from Debian's source package"
  apt-get "${apt_options[@]}" update
  # apt checks the source files against the archive's signed index.
  (cd "$apt_dir" && apt-get "${apt_options[@]}" source --download-only "glfw3=$glfw_version-1")
  rm -rf "$glfw_source.tmp"
  dpkg-source --no-check -x "$apt_dir/glfw3_$glfw_version-1.dsc" "$glfw_source.tmp" > /dev/null
  mv "$glfw_source.tmp" "$glfw_source"
  rm -rf "$apt_dir"
  trap - EXIT
fi

if [ ! -f "$glfw_prefix/lib/cmake/glfw3/glfw3Config.cmake" ]; then
  echo "Building GLFW $glfw_version for Windows"
  cmake -S "$glfw_source" -B "$deps/glfw-build" -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-toolchain.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_SHARED_LIBS=OFF -DGLFW_BUILD_EXAMPLES=OFF -DGLFW_BUILD_TESTS=OFF \
    -DGLFW_BUILD_DOCS=OFF -DCMAKE_INSTALL_PREFIX="$glfw_prefix" > /dev/null
  cmake --build "$deps/glfw-build" -j "$(nproc)" > /dev/null
  cmake --install "$deps/glfw-build" > /dev/null
fi

cmake --preset windows > /dev/null
cmake --build --preset windows -j "$(nproc)" "$@"
