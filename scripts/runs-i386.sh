#!/usr/bin/env bash
# Exits 0 when this kernel runs 32-bit x86 programs: runs a static i386
# program that only exits, without any library. Every Wine start asks, so
# the program is built once, into build/runs-i386/. Quiet.
set -u
probe=$(cd "$(dirname "$0")/.." && pwd)/build/runs-i386/exit
if [ ! -x "$probe" ]; then
  mkdir -p "$(dirname "$probe")" || exit 1
  src=$(mktemp --suffix=.c)
  trap 'rm -f "$src"' EXIT
  cat >"$src" <<'C'
void _start(void) { __asm__ volatile("movl $1, %eax\n\txorl %ebx, %ebx\n\tint $0x80"); }
C
  # Built aside and renamed: another Wine start may be asking at the same time.
  clang -m32 -nostdlib -static -ffreestanding -fno-pic -o "$probe.$$" "$src" >/dev/null 2>&1 || exit 1
  mv -f "$probe.$$" "$probe"
fi
"$probe" >/dev/null 2>&1
