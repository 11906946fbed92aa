#!/usr/bin/env bash
# Saves a PNG of the extraction dialog as the win64 build shows it: starts
# extractpanel.exe in mode 1 on the current DISPLAY (an Xvfb of
# scripts/wine-env.sh, for instance), waits for the dialog, takes the
# picture and closes the dialog with Escape, which cancels it, so nothing is
# recorded. Ends only the process it started.
#   usage: scripts/screenshot-dialog.sh OUT.png
#   EP_SCREENSHOT_EXE  the program (default build/win64/extractpanel.exe)
set -uo pipefail
[ $# -eq 1 ] || { echo "usage: $0 OUT.png" >&2; exit 2; }
out=$1
repo=$(cd "$(dirname "$0")/.." && pwd)
exe=${EP_SCREENSHOT_EXE:-$repo/build/win64/extractpanel.exe}
[ -n "${DISPLAY:-}" ] || { echo "$0: no DISPLAY" >&2; exit 1; }
[ -f "$exe" ] || { echo "$0: missing $exe" >&2; exit 1; }
. "$repo/scripts/wine-env.sh"

# A result file that gives the dialog a default folder to show.
work=$(mktemp -d)
rtp=$work/screenshot.rtp
printf '[ADRTP]\r\nExePath=C:\\Ostrelbooks\\Atlas\r\n' >"$rtp"
rtp_windows="Z:$(printf '%s' "$rtp" | tr / '\\')"

# Without a window manager the caption only shows when Wine draws the frame
# itself; the prefix's setting is put back afterwards.
x11_key='HKCU\Software\Wine\X11 Driver'
old_decorated=$(ep_reg query "$x11_key" /v Decorated | awk '$1 == "Decorated" { print $3 }')
"$WINE64" reg add "$x11_key" /v Decorated /d N /f >/dev/null 2>&1
restore_decorated() {
  if [ -n "$old_decorated" ]; then
    "$WINE64" reg add "$x11_key" /v Decorated /d "$old_decorated" /f >/dev/null 2>&1
  else
    "$WINE64" reg delete "$x11_key" /v Decorated /f >/dev/null 2>&1
  fi
}

"$WINE64" "$exe" -mode 1 -rtpfilename "'$rtp_windows'" </dev/null >/dev/null 2>&1 &
pid=$!

status=1
wid=
for _ in $(seq 300); do
  wid=$(xdotool search --onlyvisible --name '^Ostrelbook Extraction$' 2>/dev/null | head -n 1)
  [ -n "$wid" ] && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done

if [ -n "$wid" ]; then
  sleep 1  # let it paint
  mkdir -p "$(dirname "$out")"
  if import -window "$wid" "$out" 2>/dev/null || import -window root "$out"; then
    status=0
  fi
  xdotool windowfocus "$wid" 2>/dev/null
  xdotool key --clearmodifiers Escape 2>/dev/null
else
  echo "$0: the dialog did not appear" >&2
fi

for _ in $(seq 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
  echo "$0: the dialog did not close on Escape; ending it" >&2
  kill "$pid" 2>/dev/null
  status=1
fi
wait "$pid" 2>/dev/null
restore_decorated
rm -rf "$work"
[ $status -eq 0 ] && echo "$out"
exit $status
