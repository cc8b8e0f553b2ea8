#!/usr/bin/env bash
# Makes build/lumenvale_VERSION_ARCH.deb on a Debian machine: the optimised player, stripped, in
# /usr/lib/lumenvale with shaders/ and resources/ under /usr/share/lumenvale; a `lumenvale`
# command that plays the film from there; a desktop entry and the icon, so that the film is in the
# desktop's menu; the manual page lumenvale(6) made from the player's --help, the changelog made
# from CHANGELOG.md's section for the version, and a machine-readable copyright file. Depends:
# lists the libraries the player links, as dpkg-shlibdeps finds them.
# With --test it then checks the package with lintian (no error or warning may remain), installs
# it with apt, runs `lumenvale --version`, plays the film briefly on the display (or a private Xvfb
# screen) and removes the package again; the end-to-end tests must be built (scripts/build.sh).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
test_it=0
for arg in "$@"; do
  case "$arg" in
    --test) test_it=1 ;;
    *) echo "usage: scripts/package-linux.sh [--test]" >&2; exit 2 ;;
  esac
done
scripts/setup.sh
[ "$test_it" = 0 ] || scripts/setup.sh packages-package.txt
# Configured once: the test command's background builds may be reading the tree meanwhile.
if [ ! -f build/CMakeCache.txt ]; then cmake --preset default > /dev/null; fi
cmake --build --preset default -j "$(nproc)" --target lumenvale resources

version="$(build/lumenvale --version | cut -d' ' -f2)"
arch="$(dpkg --print-architecture)"
deb="build/lumenvale_${version}_${arch}.deb"
stage="build/package/lumenvale"
rm -rf "$stage" "$deb"
data="$stage/usr/share/lumenvale"
doc="$stage/usr/share/doc/lumenvale"
mkdir -p "$data" "$stage/usr/lib/lumenvale" "$stage/usr/bin" "$stage/usr/share/applications" \
  "$stage/usr/share/man/man6" "$stage/DEBIAN" "$doc"
# As Debian's own packages strip theirs: the symbols and what no one reads at run time go.
strip --strip-unneeded --remove-section=.comment --remove-section=.note \
  -o "$stage/usr/lib/lumenvale/lumenvale" build/lumenvale
cp -rL shaders resources "$data/"
# Group and others may read what is installed, whatever the umask that cloned the tree.
chmod -R u=rwX,go=rX "$data"
maintainer="Lumenvale developers <developers@lumenvale.invalid>"
build/lumenvale --help | python3 scripts/package-docs.py manual "$version" CHANGELOG.md |
  gzip -9n > "$stage/usr/share/man/man6/lumenvale.6.gz"
python3 scripts/package-docs.py changelog "$version" "$maintainer" CHANGELOG.md |
  gzip -9n > "$doc/changelog.gz"
for size in 256 48; do
  install -D -m 644 "resources/icon/lumenvale_$size.png" \
    "$stage/usr/share/icons/hicolor/${size}x${size}/apps/lumenvale.png"
done

# The player finds its data in its working directory. A relative file named by --export is made
# absolute first, so that the video lands where the user asked, not among the installed data.
cat > "$stage/usr/bin/lumenvale" <<'SCRIPT'
#!/bin/sh
# Plays Lumenvale from its installed data; options as for the player (lumenvale --help).
here="$(pwd)"
count=$#
export_file=0
for arg in "$@"; do
  if [ "$export_file" = 1 ]; then
    case "$arg" in /*) ;; *) arg="$here/$arg" ;; esac
    export_file=0
  else
    case "$arg" in
      --export) export_file=1 ;;
      --export=/*) ;;
      --export=*) arg="--export=$here/${arg#--export=}" ;;
    esac
  fi
  set -- "$@" "$arg"
done
shift "$count"
cd /usr/share/lumenvale || exit 1
exec /usr/lib/lumenvale/lumenvale "$@"
SCRIPT
chmod 755 "$stage/usr/bin/lumenvale"

cat > "$stage/usr/share/applications/lumenvale.desktop" <<'ENTRY'
[Desktop Entry]
Type=Application
Name=Lumenvale
GenericName=Film player
Comment=Islands in a sea, a firefly and a day turning to night: a short film rendered live, with its music
Exec=lumenvale --window fit
Icon=lumenvale
Terminal=false
StartupWMClass=Lumenvale
Categories=AudioVideo;Video;Player;
Keywords=film;islands;firefly;
ENTRY

cat > "$doc/copyright" <<'TEXT'
Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: Lumenvale
Comment: The program, its shaders, models, textures, icon and music are made by the project's own
 sources and generators. The player has two libraries' code compiled in: GLM (Copyright 2005-2015
 G-Truc Creation, Expat licence) and the OpenGL loader that glad generates (Copyright 2013-2022
 David Herberth, MIT licence) with Khronos' khrplatform.h (Copyright 2008-2018 The Khronos Group
 Inc., MIT licence).

Files: *
Copyright: 2026 Lumenvale developers
License: no-licence-yet
 The Lumenvale developers have not yet published Lumenvale under a licence; until they do, all
 rights are reserved.
TEXT

# dpkg-shlibdeps reads the package's names from a source package's control file.
shlibs="$(cd build/package && mkdir -p debian && printf 'Source: lumenvale\n\nPackage: lumenvale\nArchitecture: any\n' > debian/control &&
  dpkg-shlibdeps -O -e"lumenvale/usr/lib/lumenvale/lumenvale" 2> /dev/null)"
depends="${shlibs#shlibs:Depends=}"
cat > "$stage/DEBIAN/control" <<CONTROL
Package: lumenvale
Version: $version
Architecture: $arch
Maintainer: $maintainer
Installed-Size: $(du -sk --exclude=DEBIAN "$stage" | cut -f1)
Depends: $depends
Section: video
Priority: optional
Description: short film of islands in a sea, rendered live in OpenGL
 Lumenvale plays a two-minute film rendered as you watch: islands in a sea,
 underwater plants, a stone well, a glowing firefly and a sky that turns from
 night to day and back, through 23 camera shots, with its own music. Take the
 camera and fly, go full screen with F, or export the film to a video file.
CONTROL
(cd "$stage" && find usr -type f -print0 | sort -z | xargs -0 md5sum) > "$stage/DEBIAN/md5sums"
# xz, as the archive's packages are. Its fastest level: the music and the pictures, most of the
# package, are packed already or nearly incompressible; -z6 saves 4 % in three times the time. One
# thread: two took 6.8 s of processor time to one's 4.8 (medians), for no gain on a busy machine.
dpkg-deb --threads-max=1 --root-owner-group -Zxz -z0 --build "$stage" "$deb" > /dev/null
rm -rf build/package
echo "Wrote $deb"

[ "$test_it" = 1 ] || exit 0
# lintian reads the package beside the install and the play, which spend much of their time
# waiting; no error or warning may remain (the informational tags are the package's choices). It
# warns when run as root, so there it runs as nobody.
lint=(lintian --fail-on error,warning "$deb")
[ "$(id -u)" -ne 0 ] || lint=(setpriv --reuid=nobody --regid=nogroup --clear-groups env HOME=/tmp "${lint[@]}")
"${lint[@]}" > build/package-lintian.log 2>&1 &
lintian_job=$!
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
apt_get() {
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get -y -qq -o DPkg::Lock::Timeout=300 "$@"
}
apt_get install "./$deb" > /dev/null
# Removed by dpkg: apt would read its whole package lists again, for a second of processor time.
remove() { "${sudo_cmd[@]}" dpkg --purge lumenvale > /dev/null; }
trap remove EXIT
[ "$(lumenvale --version)" = "lumenvale $version" ] || { echo "lumenvale --version: wrong answer" >&2; exit 1; }
# The installed command plays the film from its own data, whatever the working directory, and
# closes cleanly: the end-to-end test of the window, with the installed command as the player.
play=(env LUMENVALE_PLAYER="$(command -v lumenvale)" build/tests/test_e2e
  --gtest_filter=PlayerWindow.ShowsFrameRateTitleIgnoresEscapeAndExitsCleanlyOnClose)
scripts/on-display.sh "${play[@]}" > build/package-play.log 2>&1 ||
  { cat build/package-play.log; exit 1; }
trap - EXIT
remove
wait "$lintian_job" || { echo "lintian found faults in $deb:" >&2; cat build/package-lintian.log >&2; exit 1; }
echo "Installed $deb, played the film with /usr/bin/lumenvale, removed it; lintian found no error or warning"
