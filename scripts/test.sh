#!/usr/bin/env bash
# The one test command: sets up what is missing, builds every preset and runs
# each preset's tests with ctest. Natively and under the sanitizers: the
# suites, the layout's rules and the format. Under Wine (win64): the suites,
# the dialog's screenshot, the books make-book.sh builds around the shipped
# exe, and every suite that starts the program once more against the shipped
# win32 exe under 32-bit Wine (label "shipped", with the demo's cycle; under
# qemu-i386 where the kernel runs no i386 code). The shipped build: its gate
# on broken copies, and the same bytes from a second build. Every fuzz target
# for 20 seconds. Then the benchmark figures. Exits non-zero on a failure.
set -uo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh || exit 1
bash scripts/build.sh || exit 1
mkdir -p artifacts

status=0
for preset in native native-sanitize win32 fuzz win64; do
  echo "== ctest --preset $preset"
  ctest --preset "$preset" || status=1
done

echo "== benchmarks (figures only)"
bash scripts/bench.sh || status=1

if [ $status -eq 0 ]; then echo "ALL TESTS PASSED"; else echo "SOME TESTS FAILED"; fi
exit $status
