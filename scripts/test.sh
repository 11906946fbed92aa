#!/usr/bin/env bash
# Sets up what is missing, builds all presets and runs every test: natively,
# under the sanitizers, and the Windows build under Wine (dialogs on a virtual
# X display), where self-extracting books made by make-book.sh also run as a
# reader runs them (scripts/test-book.sh); then every test that starts the
# program once more against the shipped win32 exe under 32-bit Wine, under
# qemu-i386 where the kernel runs no i386 code (scripts/test-shipped.sh);
# then builds the win32
# preset again from a copy of the sources in another folder and checks that
# the exe has the same bytes; then every fuzz target for 20 seconds from seed
# 1. Prints the ctest summaries, the shipped executable's size, protections
# and imports, and the benchmark figures. Exits non-zero when anything failed.
set -uo pipefail
cd "$(dirname "$0")/.."
repo=$(pwd)

bash scripts/setup.sh || exit 1
bash scripts/build.sh || exit 1

status=0
mkdir -p artifacts

echo "== tests: native"
ctest --preset native -j2 || status=1

echo "== tests: native with AddressSanitizer and UndefinedBehaviorSanitizer"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --preset native-sanitize -j2 || status=1

echo "== tests: win64 under Wine (program: build/win64/extractpanel.exe)"
export EP_WINEPREFIX=$repo/build/wine/prefix
. scripts/wine-env.sh
cleanup() { ep_wine_stop; ep_xvfb_stop; }
trap cleanup EXIT
ep_xvfb_start
ep_wine_start
# One at a time: the dialog tests find their window by its caption. Wine now
# and then fails to start a test process at all (no output, a few hundredths
# of a second): a suite that fails is run once more, and fails only twice.
ctest --preset win64 -j1 --repeat until-pass:2 || status=1
if [ -x scripts/screenshot-dialog.sh ]; then
  bash scripts/screenshot-dialog.sh artifacts/extraction-dialog.png \
    && echo "dialog screenshot: artifacts/extraction-dialog.png" || status=1
fi
echo "== books built by make-book.sh, run under Wine as a reader runs them"
bash scripts/test-book.sh || status=1
cleanup
trap - EXIT

echo "== tests that start the program, against the shipped win32 exe under 32-bit Wine"
bash scripts/test-shipped.sh build/win32/extractpanel.exe || status=1

echo "== the same bytes from a second build in another folder"
bash scripts/check-reproducible.sh || status=1

echo "== fuzzing: every target for 20 seconds"
bash scripts/fuzz.sh 20 1 || status=1

echo "== benchmarks (figures only; fails on the executable's size or imports)"
bash scripts/bench.sh || status=1

if [ $status -eq 0 ]; then echo "ALL TESTS PASSED"; else echo "SOME TESTS FAILED"; fi
exit $status
