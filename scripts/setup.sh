#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build and the tests need and
# this machine lacks, 32-bit Wine included: the shipped exe is 32-bit, and
# where the kernel runs no i386 code it runs under qemu-i386 (scripts/wine32.sh).
# Run as root (or with sudo) on Debian 12.
set -euo pipefail

packages=(
  cmake make g++ googletest
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  wine wine64 xvfb xdotool x11-utils imagemagick
  clang libclang-rt-14-dev clang-format
  nsis osslsigncode openssl  # scripts/make-book.sh
  python3  # the post-link step of the program exe (cmake/peloadconfig.py)
  qemu-user gcc-multilib  # 32-bit Wine without the kernel's i386 support (scripts/wine32.sh)
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

SUDO=
[ "$(id -u)" -eq 0 ] || SUDO=sudo
# A mirror caught mid-sync fails one index or another now and then: the
# install below then works from the lists there are, and fails only when
# a package is truly out of reach.
update_lists() {
  $SUDO apt-get update -qq || echo "setup: some package lists did not update; going on with those there are"
}

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  update_lists
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Debian's 32-bit Wine runs the shipped exe inside the 64-bit prefix. It
# must be in place before a prefix is made, or the prefix has no 32-bit
# system DLLs.
if ! dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "install ok installed"; then
  echo "setup: installing wine32:i386"
  dpkg --print-foreign-architectures | grep -qx i386 || $SUDO dpkg --add-architecture i386
  update_lists
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends wine32:i386 >/dev/null
fi
