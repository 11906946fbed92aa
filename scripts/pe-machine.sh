#!/usr/bin/env bash
# Prints the machine field of a PE image's header: 014c for x86, 8664 for
# x86-64.
set -euo pipefail
at=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
od -An -tx2 -j$((at + 4)) -N2 "$1" | tr -d ' '
