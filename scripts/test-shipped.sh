#!/usr/bin/env bash
# Runs every test that starts the program once more, against another build
# of it: the suites labelled "program" (the end-to-end suites, the dialog
# driven on Xvfb, the resource checks), the dialog's screenshot and the
# demo's whole cycle. The win64 test programs stay as they are; only the
# program under test and the demo's dialog driver change.
#   usage: scripts/test-shipped.sh EXE [DRIVER]
#   EXE     the program (default build/win32/extractpanel.exe, the shipped one)
#   DRIVER  the demo's dialog driver, of EXE's bitness (default: the one the
#           win32 build makes, built here when missing)
# Wine runs in a prefix of this pass's own (build/wine/prefix-shipped) and
# on the Xvfb display EP_DISPLAY; a 32-bit EXE under qemu-i386 where the
# kernel runs no i386 code, after a check that a 32-bit program runs there
# (scripts/wine32.sh). Exits non-zero when anything failed.
set -uo pipefail
cd "$(dirname "$0")/.."
repo=$(pwd)
exe=$(realpath "${1:-build/win32/extractpanel.exe}")
driver=${2:-}
if [ -z "$driver" ]; then
  driver=$repo/build/win32/drivedialog.exe
  [ -f "$driver" ] || cmake --build --preset win32 --target drivedialog >/dev/null || exit 1
fi
driver=$(realpath "$driver")
[ -f "$exe" ] || { echo "test-shipped: missing $exe"; exit 1; }
echo "program under test: $exe"
echo "dialog driver:      $driver"

status=0
export EP_WINEPREFIX=$repo/build/wine/prefix-shipped
. scripts/wine-env.sh
cleanup() { ep_wine_stop; ep_xvfb_stop; }
trap cleanup EXIT
ep_xvfb_start
ep_wine_start
# Nothing below can pass when no 32-bit program runs: say why and stop.
if [ "$(bash scripts/pe-machine.sh "$exe")" = 014c ]; then
  bash scripts/wine32.sh check || exit 1
fi
EXTRACTPANEL_PROGRAM=$("$WINE64" winepath -w "$exe" 2>/dev/null | tr -d '\r')
export EXTRACTPANEL_PROGRAM
ctest --preset win64 -j1 -L program --repeat until-pass:2 || status=1
EP_SCREENSHOT_EXE=$exe bash scripts/screenshot-dialog.sh artifacts/extraction-dialog-shipped.png \
  || status=1
cleanup
trap - EXIT
unset EXTRACTPANEL_PROGRAM

# The demo brings up its own prefix and display.
echo "== the demo's cycle with $exe"
env -u DISPLAY EP_DEMO_PROGRAM="$exe" EP_DEMO_DRIVER="$driver" bash scripts/demo.sh \
  > artifacts/demo-shipped.log 2>&1 || { status=1; echo "demo failed:"; tail -n 20 artifacts/demo-shipped.log; }
[ $status -ne 0 ] || echo "the demo's cycle passed (artifacts/demo-shipped.log)"
exit $status
