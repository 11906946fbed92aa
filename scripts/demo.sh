#!/usr/bin/env bash
# The program's main job, as a reader meets it: the sample book is built into
# a real self-extractor (scripts/make-book.sh, the starter in starter/) and
# run under Wine. The starter runs mode 1 (the dialog), unpacks the book into
# the chosen folder and runs mode 2; then a report of everything the runs
# left behind. Wine runs in a prefix of the demo's own (build/demo), so the
# user's own Wine is never touched. With no X display the dialog runs on a
# virtual one, is answered by a driver program and photographed
# (artifacts/demo-dialog.png). Fails unless the book ran and ended with
# status 0.
# The book is the 32-bit stub around the shipped win32 exe, as readers get
# it; where the kernel runs no i386 code 32-bit Wine runs under qemu-i386
# (scripts/wine32.sh), after a check that says why when it cannot.
#   EP_DEMO_PROGRAM  the helper to pack (its bitness picks the stub)
#   EP_DEMO_DRIVER   the dialog driver, of the helper's bitness
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$(pwd)

bash scripts/setup.sh
bash scripts/build.sh win64   # the driver, the stand-in browser, showlink

export EP_WINEPREFIX=$repo/build/demo/prefix
. scripts/wine-env.sh
if [ -n "${EP_DEMO_PROGRAM:-}" ]; then
  program=$(realpath "$EP_DEMO_PROGRAM")
  [ "$(ep_pe_machine "$program")" = 8664 ] && bits=64 || bits=32
  why="the helper given is $bits-bit"
else
  bits=32 program=$repo/build/win32/extractpanel.exe why="readers get it"
fi
if [ $bits -eq 32 ]; then
  [ -n "${EP_DEMO_PROGRAM:-}" ] || bash scripts/build.sh win32
  default_driver=$repo/build/win32/drivedialog.exe
  [ -n "${EP_DEMO_DRIVER:-}" ] || cmake --build --preset win32 --target drivedialog >/dev/null
  echo "the book: the 32-bit stub (x86-unicode) around $program, as $why"
else
  default_driver=$repo/build/win64/drivedialog.exe
  echo "the book: the 64-bit stub (amd64-unicode) around $program, as $why"
fi
driver=${EP_DEMO_DRIVER:-$default_driver}

demo=$repo/build/demo
rm -rf "$demo"
mkdir -p "$demo" artifacts
# The sample's values come from its parameters file, one source for both.
ini() { sed -n "s/^$1=//p" samples/atlas.ini | tr -d '\r'; }
book_exe=$demo/atlas.exe
bash scripts/make-book.sh --stub $bits --helper "$program" --id "$(ini autorunbookid)" \
  --title "$(ini desktopshortcutname)" --start "$(ini targetfilepath)" \
  --icon "$(ini shortcuticonpath)" --marker "$(ini importtoostrelfilename)" \
  --user "$(ini authoruserid)" --sku "$(ini authorostrelsku)" --partner "$(ini authorpartnerid)" \
  --folder 'C:\Ostrelbooks\Atlas' samples/atlas "$book_exe"

# Without a display the dialog runs on a virtual one, driven and photographed.
driven=0
[ -n "${DISPLAY:-}" ] || driven=1
ep_session_start
[ $bits -eq 64 ] || bash scripts/wine32.sh check

bin=$repo/build/win64
# What the demo hands over lies in C:\ostreldemo.
work=$WINEPREFIX/drive_c/ostreldemo
mkdir -p "$work"
cp "$bin/fakebrowser.exe" "$work/browser.exe"
book=$(ini autorunbookid)
log=$work/starter.log

# A stand-in browser for .htm pages that only writes down what it was asked.
export EXTRACTPANEL_FAKEBROWSER_LOG=$work/browser.log
# No window manager on a virtual display: Wine draws the window frames itself.
[ $driven -eq 0 ] || ep_reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null
ep_reg add 'HKCR\.htm' /ve /d demo.htmlfile /f >/dev/null
ep_reg add 'HKCR\demo.htmlfile\shell\open\command' /ve /d '"C:\ostreldemo\browser.exe" "%1"' /f >/dev/null

echo "== the reader runs $(basename "$book_exe")"
"$WINE64" "$book_exe" '/log=C:\ostreldemo\starter.log' &
run=$!
if [ $driven -eq 1 ]; then
  wid=
  for _ in $(seq 600); do
    wid=$(xdotool search --onlyvisible --name '^Ostrelbook Extraction$' 2>/dev/null | head -n 1 || true)
    [ -z "$wid" ] && kill -0 $run 2>/dev/null || break
    sleep 0.1
  done
  if [ -n "$wid" ]; then
    sleep 1  # let it paint
    import -window "$wid" artifacts/demo-dialog.png
    echo "dialog as shown: artifacts/demo-dialog.png"
    "$WINE64" "$driver" 'C:\Ostrelbooks\Atlas' 1 1
  else
    echo "the dialog did not appear"
    kill $run 2>/dev/null || true
  fi
fi
set +e; wait $run; status=$?; set -e
echo "the book's exit status: $status"
sleep 1  # the browser is started, not waited for

custom=
[ ! -f "$log" ] || custom=$(sed -n 's/^mode 1: .*CustomPath //p' "$log" | tr -d '\r')
folder=
[ -z "$custom" ] || folder=$(ep_unixpath "$custom")

echo
echo "== report"
echo "-- the starter: what it handed over and read back ($log)"
[ -f "$log" ] && tr -d '\r' <"$log" || echo "(no log)"
echo "-- the book's files in ${custom:-(no folder)}"
[ -n "$folder" ] && ls -l "$folder" | sed 1d || echo "(none)"
echo "-- registry record (the two choices were read and removed by mode 2)"
ep_reg query "HKCU\\Software\\Ostrel\\UserData\\Referrals\\$book" | sed '/^$/d' || echo "(none)"
echo "-- registry: the .7xe file type"
ep_reg query 'HKCR\.7xe' | sed '/^$/d' || echo "(none)"
"$WINE64" reg query 'HKCR\7xefile' >/dev/null 2>&1 && echo 'HKEY_CLASSES_ROOT\7xefile (an empty key)' || echo "(no 7xefile)"
echo "-- shortcuts"
profile=$WINEPREFIX/drive_c/users/$(id -un)
desktop=$profile/Desktop/
programs="$profile/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
links=()
while IFS= read -r -d '' f; do links+=("$(ep_winpath "$f")"); done < <(
  find ${folder:+"$folder"} "$desktop" "$programs/Ostrelbooks" -maxdepth 1 -name '*.lnk' -print0 2>/dev/null)
[ ${#links[@]} -gt 0 ] && "$WINE64" "$bin/showlink.exe" "${links[@]}" | tr -d '\r' || echo "(none)"
marker=$(ini importtoostrelfilename)
echo "-- import marker $custom\\$marker"
[ -n "$folder" ] && [ -f "$folder/$marker" ] &&
  echo "$(stat -c %s "$folder/$marker") byte(s):$(od -An -tx1 "$folder/$marker")" || echo "(none)"
echo "-- the browser was asked to open"
cat "$EXTRACTPANEL_FAKEBROWSER_LOG" 2>/dev/null || echo "(nothing)"
echo "-- the starter's temporary folder"
leftover=$(find "$profile" -path '*/Temp/ns*.tmp' 2>/dev/null)
[ -z "$leftover" ] && echo "removed" || echo "left behind: $leftover"
# Wine's own status is 0 also when the book could not start at all: the
# starter's last line says that it ran to the end.
[ "$status" -eq 0 ] && grep -q '^book: exit status 0 ' "$log" 2>/dev/null
