#!/usr/bin/env bash
# Configures and builds the given presets (default: all of them).
set -euo pipefail
cd "$(dirname "$0")/.."
presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(native native-sanitize win64 win64-release win32 fuzz)
for preset in "${presets[@]}"; do
  echo "== build $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j2 -- --no-print-directory >/dev/null \
    || cmake --build --preset "$preset" -j1   # show the errors once, in order
done
