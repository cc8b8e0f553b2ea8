#!/usr/bin/env bash
# Installs what is missing, then configures and builds the program, its run-time data and its tests.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
scripts/setup.sh
cmake --preset default > /dev/null
cmake --build --preset default -j "$(nproc)"
