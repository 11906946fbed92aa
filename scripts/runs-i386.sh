#!/usr/bin/env bash
# Exits 0 when this kernel runs 32-bit x86 programs: builds a static i386
# program that only exits, without any library, and runs it. Quiet.
set -u
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat >"$work/exit.c" <<'C'
void _start(void) { __asm__ volatile("movl $1, %eax\n\txorl %ebx, %ebx\n\tint $0x80"); }
C
clang -m32 -nostdlib -static -ffreestanding -fno-pic -o "$work/exit" "$work/exit.c" >/dev/null 2>&1 || exit 1
"$work/exit" >/dev/null 2>&1
