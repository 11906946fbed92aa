#!/usr/bin/env bash
# Builds the win32 preset from a copy of the checkout's tracked files in
# another folder (build/reproduce/src) and checks that its extractpanel.exe
# has the same bytes as build/win32/extractpanel.exe. Prints both sha256.
set -uo pipefail
cd "$(dirname "$0")/.."
repo=$(pwd)
copy=$repo/build/reproduce/src
rm -rf "$copy"
mkdir -p "$copy"
git ls-files -z --cached --others --exclude-standard | tar -c --null -T - | tar -x -C "$copy" || exit 1
# Compiled afresh: no compiler cache hands the first build's objects over.
(cd "$copy" && env -u CMAKE_C_COMPILER_LAUNCHER -u CMAKE_CXX_COMPILER_LAUNCHER CCACHE_DISABLE=1 \
  bash scripts/build.sh win32 >/dev/null) || { echo "the second build failed"; exit 1; }
first=$(sha256sum build/win32/extractpanel.exe | cut -d' ' -f1)
second=$(sha256sum "$copy/build/win32/extractpanel.exe" | cut -d' ' -f1)
echo "  $first  build/win32/extractpanel.exe"
echo "  $second  build/reproduce/src/build/win32/extractpanel.exe"
if [ "$first" = "$second" ]; then
  echo "  the same bytes"
else
  echo "  the two builds differ"
  exit 1
fi
