# Sourced by the scripts: a Wine of the project's own, never the user's.
#   EP_WINEPREFIX  the prefix (default: build/wineprefix in the checkout)
#   EP_WINEHOME    HOME inside Wine, where its Desktop and Documents point
#   EP_DISPLAY     the Xvfb display number for dialog tests (default 97)
ep_repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${EP_WINEPREFIX:-$ep_repo/build/wineprefix}
export EP_WINEHOME=${EP_WINEHOME:-$(dirname "$WINEPREFIX")/winehome}
export HOME=$EP_WINEHOME
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEDEBUG=${WINEDEBUG:--all}
export WINE64=/usr/lib/wine/wine64
[ -x "$WINE64" ] || WINE64=$(command -v wine64 || command -v wine)
# 32-bit programs run natively where the kernel runs i386 code, else under
# qemu-i386 (scripts/wine32.sh). EP_WINE32_EMULATE=1 or 0 forces the choice.
if [ -z "${EP_WINE32_EMULATE:-}" ]; then
  EP_WINE32_EMULATE=1
  ! bash "$ep_repo/scripts/runs-i386.sh" || EP_WINE32_EMULATE=0
fi
export EP_WINE32_EMULATE
if [ "$EP_WINE32_EMULATE" = 1 ]; then
  bash "$ep_repo/scripts/wine32.sh" prepare && WINE64=$ep_repo/scripts/wine64-qemu
  # Wine's crash debugger never finishes with an emulated process: a program
  # that crashed would wait for it until its test gave up. It ends at once.
  WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winedbg.exe=d"
fi

# Creates the prefix when it is missing and keeps one wineserver running for
# the whole run, so each program starts in about a second.
ep_wine_start() {
  mkdir -p "$EP_WINEHOME" "$(dirname "$WINEPREFIX")"
  # A prefix of ours made before wine32:i386 was installed has no 32-bit
  # system DLLs, and 32-bit programs cannot start in it: it is made again.
  case $WINEPREFIX in "$ep_repo"/build/*)
    if [ -f "$WINEPREFIX/system.reg" ] && [ -x /usr/lib/wine/wine ] &&
      [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
      rm -rf "$WINEPREFIX"
    fi
  esac
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$WINE64" wineboot -i </dev/null >/dev/null 2>&1
    wineserver -w </dev/null >/dev/null 2>&1
  fi
  wineserver -p </dev/null >/dev/null 2>&1 &
  "$WINE64" cmd /c exit </dev/null >/dev/null 2>&1 || true
}

ep_wine_stop() {
  wineserver -k </dev/null >/dev/null 2>&1 || true
}

# A virtual X display for the dialogs, on EP_DISPLAY (default 97). Its
# process id is kept beside the prefix, so that another process of the same
# run can stop it.
ep_xvfb_pidfile() { echo "$(dirname "$WINEPREFIX")/xvfb-${EP_DISPLAY:-97}.pid"; }

ep_xvfb_start() {
  local n=${EP_DISPLAY:-97}
  mkdir -p "$(dirname "$WINEPREFIX")"
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
  echo $! >"$(ep_xvfb_pidfile)"
  export DISPLAY=":$n"
  for _ in $(seq 50); do
    xdpyinfo -display ":$n" >/dev/null 2>&1 && break
    sleep 0.1
  done
}

ep_xvfb_stop() {
  local pidfile pid
  pidfile=$(ep_xvfb_pidfile)
  [ -f "$pidfile" ] || return 0
  pid=$(cat "$pidfile")
  rm -f "$pidfile"
  kill "$pid" 2>/dev/null || true
  while kill -0 "$pid" 2>/dev/null; do sleep 0.1; done
}

# The display and the wineserver of a run, started and stopped in one place:
# a virtual display only where there is none, and both ended with the
# script. Under ctest the run's session (scripts/wine-session.sh, which sets
# EP_WINE_SESSION) is used as it is and left running.
ep_session_start() {
  [ -z "${EP_WINE_SESSION:-}" ] || return 0
  EP_SESSION_XVFB=0
  if [ -z "${DISPLAY:-}" ]; then
    ep_xvfb_start
    EP_SESSION_XVFB=1
  fi
  ep_wine_start
  EP_WINE_SESSION=$$
  trap ep_session_stop EXIT
}

ep_session_stop() {
  [ "${EP_WINE_SESSION:-}" = $$ ] || return 0
  ep_wine_stop
  [ "$EP_SESSION_XVFB" = 0 ] || ep_xvfb_stop
  EP_WINE_SESSION=
}

# The registry tool of the prefix, its output without CRs.
ep_reg() { "$WINE64" reg "$@" 2>/dev/null | tr -d '\r'; }

# A PE image's machine: 014c for x86, 8664 for x86-64.
ep_pe_machine() { python3 "$ep_repo/cmake/peimage.py" machine "$1"; }

# A Unix path as Wine's programs see it, and back.
ep_winpath() { "$WINE64" winepath -w "$1" 2>/dev/null | tr -d '\r'; }
ep_unixpath() { "$WINE64" winepath -u "$1" 2>/dev/null | tr -d '\r'; }
