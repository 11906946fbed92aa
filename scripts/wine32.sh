#!/usr/bin/env bash
# 32-bit Wine on any x86-64 kernel. Where the kernel runs i386 code, Debian's
# 32-bit Wine runs as it is. Where it does not, wine64 is started through
# scripts/wine64-qemu, which preloads build/wine32/$LIB/libwine32exec.so
# (from scripts/wine32/preload.c): Wine's execs of its 32-bit loader go to
# qemu-i386, and the emulated loader gets its Windows address space reserved
# as its own preloader would have done.
#   usage: scripts/wine32.sh prepare   build the library when it is missing or older than its source
#          scripts/wine32.sh check     run a 32-bit console program in the Wine of
#                                      wine-env.sh (prefix running or not); says why when it fails
# EP_WINE32_EMULATE=1 takes the emulated way on any kernel, 0 the native one;
# unset, scripts/runs-i386.sh decides (wine-env.sh).
set -uo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
out=$repo/build/wine32
src=$repo/scripts/wine32/preload.c

fail() { echo "wine32: $*" >&2; exit 1; }

prepare() {
  local lib
  for lib in x86_64-linux-gnu:-m64 i386-linux-gnu:-m32; do
    local dir=$out/lib/${lib%%:*} flag=${lib#*:}
    [ "$dir/libwine32exec.so" -nt "$src" ] && continue
    mkdir -p "$dir"
    # Built aside and renamed: Wine may be starting beside this build.
    gcc "$flag" -O2 -shared -fPIC -Wall -o "$dir/libwine32exec.so.$$" "$src" 2>"$out/build.log" ||
      fail "cannot build the $flag preload library ($(head -n 3 "$out/build.log" | tr '\n' ' '));" \
        "gcc -m32 needs Debian's gcc-multilib (bash scripts/setup.sh)"
    mv -f "$dir/libwine32exec.so.$$" "$dir/libwine32exec.so"
  done
}

check() {
  . "$repo/scripts/wine-env.sh"
  local how="natively" exe=$out/hello32.exe text rc
  if [ "$EP_WINE32_EMULATE" = 1 ]; then
    how="under qemu-i386"
    command -v qemu-i386 >/dev/null || fail "qemu-i386 is missing: install Debian's qemu-user (bash scripts/setup.sh)"
    prepare
  fi
  [ -x /usr/lib/wine/wine ] ||
    fail "Debian's 32-bit Wine loader /usr/lib/wine/wine is missing: dpkg --add-architecture i386 and install wine32:i386 (bash scripts/setup.sh)"
  mkdir -p "$out"
  printf '#include <stdio.h>\nint main(void) { puts("32-bit Windows program ran"); return 42; }\n' >"$out/hello32.c"
  i686-w64-mingw32-gcc -O2 -o "$exe" "$out/hello32.c" ||
    fail "cannot build the 32-bit test program: install g++-mingw-w64-i686 (bash scripts/setup.sh)"
  [ -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ] || [ ! -f "$WINEPREFIX/system.reg" ] ||
    fail "the prefix $WINEPREFIX was made without wine32:i386 (its syswow64 is empty): remove it and run again"
  text=$(timeout 300 "$WINE64" "$exe" 2>&1 </dev/null | tr -d '\r')
  rc=${PIPESTATUS[0]}
  case "$rc:$text" in
    "42:32-bit Windows program ran") ;;
    124:*) fail "the 32-bit program did not end within 300 s $how${text:+ (it said: $text)}" ;;
    *"could not load kernel32.dll"*)
      fail "32-bit Wine found no 32-bit system DLLs: the prefix $WINEPREFIX was made without wine32:i386; remove it" ;;
    *"Exec format error"*|*"cannot execute"*)
      fail "the kernel refused the 32-bit loader: run with EP_WINE32_EMULATE=1 (qemu-user)" ;;
    *) fail "the 32-bit program $how exited with status $rc and said: ${text:-nothing}" ;;
  esac
  echo "wine32 self-check: a 32-bit console program ran $how in $WINEPREFIX, printed \"$text\" and returned $rc"
}

case "${1:-}" in
  prepare) prepare ;;
  check) check ;;
  *) echo "usage: scripts/wine32.sh prepare|check" >&2; exit 2 ;;
esac
