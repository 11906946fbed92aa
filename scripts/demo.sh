#!/usr/bin/env bash
# The program's main job, as a book's run-time does it: mode 1 (the dialog),
# the book's files copied into the chosen folder, mode 2; then a report of
# everything the two runs left behind. Runs the win64 build under a Wine
# prefix of its own (build/demo), so the user's own Wine is never touched.
# With no X display the dialog runs on a virtual one, is answered by a
# driver program and photographed (artifacts/demo-dialog.png). Fails unless
# both runs succeed.
#   EP_DEMO_PROGRAM  the program (default build/win64/extractpanel.exe)
#   EP_DEMO_DRIVER   the dialog driver, of the program's bitness (default
#                    build/win64/drivedialog.exe)
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$(pwd)

bash scripts/setup.sh
bash scripts/build.sh win64

demo=$repo/build/demo
rm -rf "$demo"
mkdir -p artifacts
export EP_WINEPREFIX=$demo/prefix
. scripts/wine-env.sh
trap 'ep_wine_stop; ep_xvfb_stop' EXIT
driven=0
if [ -z "${DISPLAY:-}" ]; then
  ep_xvfb_start
  driven=1
fi
ep_wine_start

bin=$repo/build/win64
program=${EP_DEMO_PROGRAM:-$bin/extractpanel.exe}
driver=${EP_DEMO_DRIVER:-$bin/drivedialog.exe}
echo "program: $program"
# Everything the run-time hands over lies in C:\ostreldemo, paths without
# blanks or markers, as a run-time would choose them.
work=$WINEPREFIX/drive_c/ostreldemo
mkdir -p "$work"
cp samples/atlas.ini "$work/atlas.ini"
cp "$bin/fakebrowser.exe" "$work/browser.exe"
winpath() { "$WINE64" winepath -w "$1" 2>/dev/null | tr -d '\r'; }
unixpath() { "$WINE64" winepath -u "$1" 2>/dev/null | tr -d '\r'; }
reg() { "$WINE64" reg "$@" 2>/dev/null | tr -d '\r' | sed '/^$/d'; }

book=atlas-sample
rtp=$work/run.rtp
printf '[ADRTP]\r\nExePath=C:\\Ostrelbooks\\Atlas\r\n' > "$rtp"

# A stand-in browser for .htm pages that only writes down what it was asked.
export EXTRACTPANEL_FAKEBROWSER_LOG=$work/browser.log
# No window manager on a virtual display: Wine draws the window frames itself.
[ $driven -eq 0 ] || reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null
reg add 'HKCR\.htm' /ve /d demo.htmlfile /f >/dev/null
reg add 'HKCR\demo.htmlfile\shell\open\command' /ve /d '"C:\ostreldemo\browser.exe" "%1"' /f >/dev/null

echo "== mode 1: the extraction dialog"
"$WINE64" "$program" -mode 1 -rtpfilename 'C:\ostreldemo\run.rtp' \
  -parametersfilepath 'C:\ostreldemo\atlas.ini' &
mode1=$!
if [ $driven -eq 1 ]; then
  wid=$(xdotool search --sync --onlyvisible --name '^Ostrelbook Extraction$' | head -n 1)
  sleep 1  # let it paint
  import -window "$wid" artifacts/demo-dialog.png
  echo "dialog as shown: artifacts/demo-dialog.png"
  "$WINE64" "$driver" 'C:\Ostrelbooks\Atlas' 1 1
fi
set +e; wait $mode1; status1=$?; set -e
echo "exit status $status1"
echo "-- registry record after mode 1"
reg query "HKCU\\Software\\Ostrel\\UserData\\Referrals\\$book"

custom=$(sed -n 's/^CustomPath=//p' "$rtp" | tr -d '\r')
[ -n "$custom" ] || { echo "no folder was chosen; the cycle ends here"; exit 1; }
folder=$(unixpath "$custom")
echo "== extraction into $custom"
mkdir -p "$folder"
cp -r samples/atlas/. "$folder/"

echo "== mode 2: registering the book"
set +e
"$WINE64" "$program" -mode 2 -rtpfilename 'C:\ostreldemo\run.rtp' \
  -parametersfilepath 'C:\ostreldemo\atlas.ini' -installdirectory "$custom"
status2=$?
set -e
echo "exit status $status2"
sleep 1  # the browser is started, not waited for

echo
echo "== report"
echo "-- result file $rtp"
tr -d '\r' < "$rtp"
echo "-- registry record after mode 2 (the two choices were read and removed)"
reg query "HKCU\\Software\\Ostrel\\UserData\\Referrals\\$book"
echo "-- registry: the .7xe file type"
reg query 'HKCR\.7xe' || echo "(none)"
"$WINE64" reg query 'HKCR\7xefile' >/dev/null 2>&1 && echo 'HKEY_CLASSES_ROOT\7xefile (an empty key)' || echo "(no 7xefile)"
echo "-- shortcuts"
profile=$WINEPREFIX/drive_c/users/$(id -un)
desktop=$profile/Desktop/
programs="$profile/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
links=()
while IFS= read -r -d '' f; do links+=("$(winpath "$f")"); done < <(
  find "$folder" "$desktop" "$programs/Ostrelbooks" -maxdepth 1 -name '*.lnk' -print0 2>/dev/null)
[ ${#links[@]} -gt 0 ] && "$WINE64" "$bin/showlink.exe" "${links[@]}" | tr -d '\r' || echo "(none)"
echo "-- import marker $custom\\import.7xe"
[ -f "$folder/import.7xe" ] && echo "$(stat -c %s "$folder/import.7xe") byte(s):$(od -An -tx1 "$folder/import.7xe")" || echo "(none)"
echo "-- the browser was asked to open"
cat "$EXTRACTPANEL_FAKEBROWSER_LOG" 2>/dev/null || echo "(nothing)"
[ "$status1" -eq 1 ] && [ "$status2" -eq 1 ]
