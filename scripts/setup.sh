#!/usr/bin/env bash
# Installs the Debian packages listed in scripts/packages.txt (or the list named as the argument,
# e.g. packages-windows.txt) that are missing.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
mapfile -t wanted < <(grep -v -E '^\s*(#|$)' "$here/${1:-packages.txt}")
# One question to dpkg for the whole list: the scripts call this before each step, and a dpkg-query
# a package took a second or more a call on a busy machine.
declare -A installed
while read -r pkg status; do
  [ "$status" = "install ok installed" ] && installed[$pkg]=1
done < <(dpkg-query -W -f='${Package} ${Status}\n' "${wanted[@]}" 2>/dev/null || true)
missing=()
for pkg in "${wanted[@]}"; do
  [ -n "${installed[$pkg]:-}" ] || missing+=("$pkg")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
echo "Installing: ${missing[*]}"
# Another install may hold apt's locks meanwhile (the test command's background builds install
# the browser's packages while its foreground installs others): wait for it rather than fail.
# apt-get update does not wait for its lock by itself, so it is tried again for up to a minute.
for attempt in $(seq 30); do
  "${sudo_cmd[@]}" apt-get update -qq && break
  [ "$attempt" -lt 30 ] || exit 1
  sleep 2
done
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq -o DPkg::Lock::Timeout=600 \
  --no-install-recommends "${missing[@]}"
