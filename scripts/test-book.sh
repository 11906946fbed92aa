#!/usr/bin/env bash
# End to end from the caller's side: books built by scripts/make-book.sh and
# run under Wine as a reader runs them. Bad input is refused with nothing
# made; an unsigned book is cancelled; a book signed with a throw-away
# certificate is accepted. The books run are the 32-bit stub around the
# shipped win32 exe (under qemu-i386 where the kernel runs no i386 code); a
# signed book of the 64-bit stub is built and verified only. Prints a PASS
# or FAIL line for each check and a count; exits non-zero on a failure.
# Runs in the Wine session of a ctest run (ctest --preset win64 -L book),
# else in a prefix and display of its own, which it stops.
set -uo pipefail
cd "$(dirname "$0")/.."
repo=$(pwd)
bin=$repo/build/win64
for f in "$bin"/{drivedialog,showlink,fakebrowser}.exe "$repo"/build/{win64-release,win32}/extractpanel.exe; do
  [ -f "$f" ] || { echo "test-book: missing $f (bash scripts/build.sh win64 win64-release win32)"; exit 1; }
done
[ -n "${EP_WINEPREFIX:-}" ] || export EP_WINEPREFIX=$repo/build/wine/prefix-book
. scripts/wine-env.sh
bits=32 other=64 driver=$repo/build/win32/drivedialog.exe
cmake --build --preset win32 --target drivedialog >/dev/null || exit 1
echo "books run: the 32-bit stub around build/win32/extractpanel.exe"
echo "built and verified only: a signed book with the $other-bit stub"
machine() { [ "$1" = 32 ] && echo 014c || echo 8664; }

passed=0 failed=0
# check WHAT COMMAND...: one PASS or FAIL line; on FAIL, $why says more.
check() {
  local what=$1; shift
  why=
  if "$@"; then echo "PASS $what"; passed=$((passed + 1))
  else echo "FAIL $what${why:+: $why}"; failed=$((failed + 1)); fi
}
has() { grep -qF -- "$2" <<<"$1" || { why="no \"$2\" in: $(tr '\n' ' ' <<<"$1")"; false; }; }

work=$repo/build/book-test
rm -rf "$work"
mkdir -p "$work"

echo "== make-book.sh: bad input makes nothing"
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$work/key.pem" -out "$work/cert.pem" -days 2 \
  -subj "/CN=Throw-away book signer" -addext extendedKeyUsage=codeSigning >/dev/null 2>&1
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -out "$work/cert.pfx" \
  -passout pass:book-test >/dev/null 2>&1
mkdir -p "$work/nostart"
cp samples/atlas/chapter1.htm "$work/nostart/"
refused() { # MESSAGE ARGS...: make-book fails, says MESSAGE, leaves no bad.exe
  local message=$1 out rc; shift
  rm -f "$work/bad.exe"
  out=$(bash scripts/make-book.sh --stub 64 "$@" "$work/bad.exe" 2>&1); rc=$?
  [ $rc -ne 0 ] || { why="exit status 0"; return 1; }
  has "$out" "$message" || return 1
  [ ! -e "$work/bad.exe" ] && [ ! -e "$work/bad.exe.part" ] || { why="output left behind"; false; }
}
check "a missing book folder" refused "no book folder $work/missing" "$work/missing"
check "a book folder without its start file" refused "has no start file index.htm" "$work/nostart"
EP_SIGN_PASSWORD=wrong check "a certificate that does not open (wrong password)" \
  refused "does not open" --sign "$work/cert.pfx" samples/atlas
check "a title outside the default code page" \
  refused "the title (--title) holds characters outside code page 1252" --title "地図帳" samples/atlas

echo "== make-book.sh: three books"
id=booktest-atlas
# Values with blanks, markers, quotes and the characters makensis escapes.
common=(--id "$id" --title "World's Atlas" --user "o'brien-1001" --sku 'OSK/2026 $5' --partner 'partner 42-b`'
  --folder 'C:\booktest\default folder')
built() { # NAME MACHINE SIGNED ARGS...: make-book succeeds; the exe is what was asked
  local name=$1 machine=$2 signed=$3 out; shift 3
  out=$(EP_SIGN_PASSWORD=book-test bash scripts/make-book.sh "${common[@]}" "$@" samples/atlas "$work/$name" 2>&1) ||
    { why=$out; return 1; }
  echo "$out" | sed 's/^/  /'
  [ "$(ep_pe_machine "$work/$name")" = "$machine" ] || { why="machine $(ep_pe_machine "$work/$name")"; return 1; }
  if [ "$signed" = 1 ]; then
    has "$out" "helper signed" && has "$out" "book signed" || return 1
    osslsigncode verify -CAfile "$work/cert.pem" -in "$work/$name" >"$work/verify.log" 2>&1 ||
      { why="osslsigncode verify failed"; return 1; }
  else
    has "$out" "not signed" || return 1
    ! osslsigncode verify -in "$work/$name" >/dev/null 2>&1 || { why="a signature was found"; false; }
  fi
}
check "unsigned, $bits-bit stub" built plain$bits.exe "$(machine $bits)" 0 --stub $bits
check "signed and verified, $bits-bit stub" built signed$bits.exe "$(machine $bits)" 1 --stub $bits --sign "$work/cert.pfx"
check "signed and verified, $other-bit stub" \
  built signed$other.exe "$(machine $other)" 1 --stub $other --sign "$work/cert.pfx"

echo "== the books under Wine"
ep_session_start
booktest=$WINEPREFIX/drive_c/booktest
profile=$(ep_unixpath "$("$WINE64" cmd /c 'echo %USERPROFILE%' 2>/dev/null | tr -d '\r')")
temp=$(ep_unixpath "$("$WINE64" cmd /c 'echo %TEMP%' 2>/dev/null | tr -d '\r')")
desktop=$profile/Desktop
programs="$profile/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Ostrelbooks"
bookkey="HKCU\\Software\\Ostrel\\UserData\\Referrals\\$id"
chosen='C:\booktest\My Atlas-1'
links=("$desktop/My Atlas-1.lnk" "$programs/My Atlas-1.lnk")
# The runs leave shortcuts, a record and the .7xe type in a prefix that may
# be shared; they go again, and the .htm type the stand-in browser takes
# over is put back as it was.
had7xe=0
"$WINE64" reg query 'HKCR\.7xe' >/dev/null 2>&1 && had7xe=1
"$WINE64" reg export 'HKCR\.htm' "$(ep_winpath "$work/htm.reg")" /y >/dev/null 2>&1 || rm -f "$work/htm.reg"
tidy() {
  rm -rf "$booktest" "${links[@]}"
  "$WINE64" reg delete "$bookkey" /f >/dev/null 2>&1
  "$WINE64" reg delete 'HKCR\booktest.htmlfile' /f >/dev/null 2>&1
  "$WINE64" reg delete 'HKCR\.htm' /f >/dev/null 2>&1
  [ ! -f "$work/htm.reg" ] || "$WINE64" reg import "$(ep_winpath "$work/htm.reg")" >/dev/null 2>&1
  if [ $had7xe -eq 0 ]; then
    "$WINE64" reg delete 'HKCR\.7xe' /f >/dev/null 2>&1
    "$WINE64" reg delete 'HKCR\7xefile' /f >/dev/null 2>&1
  fi
}
tidy
mkdir -p "$booktest"
cp "$bin/fakebrowser.exe" "$booktest/browser.exe"
export EXTRACTPANEL_FAKEBROWSER_LOG=$booktest/browser.log
ep_reg add 'HKCR\.htm' /ve /d booktest.htmlfile /f >/dev/null
ep_reg add 'HKCR\booktest.htmlfile\shell\open\command' /ve /d '"C:\booktest\browser.exe" "%1"' /f >/dev/null

starters_before=$(ls -d "$temp"/ns*.tmp 2>/dev/null)
# run_book EXE LOG ANSWER: the reader starts the book; ANSWER (a command)
# answers its dialog. Sets $status, $log (the starter's log) and $helper_copy.
run_book() {
  local exe=$1 logname=$2 answer=$3 run wid
  "$WINE64" "$exe" "/log=C:\\booktest\\$logname" </dev/null >/dev/null 2>&1 &
  run=$!
  wid=
  for _ in $(seq 300); do
    wid=$(xdotool search --onlyvisible --name '^Ostrelbook Extraction$' 2>/dev/null | head -n 1)
    [ -n "$wid" ] && break
    kill -0 $run 2>/dev/null || break
    sleep 0.1
  done
  # The helper the book unpacked, as it runs.
  helper_copy=$work/helper-$logname.exe
  cp "$(ls "$temp"/ns*.tmp/extractpanel.exe 2>/dev/null | head -n 1)" "$helper_copy" 2>/dev/null
  [ -z "$wid" ] || $answer "$wid"
  for _ in $(seq 300); do kill -0 $run 2>/dev/null || break; sleep 0.1; done
  kill -0 $run 2>/dev/null && kill $run
  wait $run; status=$?
  log=$(tr -d '\r' 2>/dev/null <"$booktest/$logname")
}
cancel() { xdotool windowfocus "$1" key --clearmodifiers Escape 2>/dev/null; }
accept() { "$WINE64" "$driver" "$chosen" 1 0 >/dev/null 2>&1; }
cleaned() {
  local now
  now=$(ls -d "$temp"/ns*.tmp 2>/dev/null)
  [ "$now" = "$starters_before" ] || { why="left behind: $now"; false; }
}

echo "-- cancelled (unsigned book)"
run_book "$work/plain$bits.exe" cancel.log cancel
cancelled() {
  [ "$status" -eq 1 ] || { why="the book's exit status $status"; return 1; }
  has "$log" 'ExePath: C:\booktest\default folder' &&
    has "$log" "mode 1: exit status 0, ExitCode 3, CustomPath " &&
    has "$log" "book: exit status 1 (cancelled, nothing extracted)" || return 1
  ! grep -q '^run: -mode 2' <<<"$log" || { why="mode 2 ran"; return 1; }
}
check "the starter saw ExitCode 3 and ended with status 1" cancelled
nothing() {
  [ "$(ls -A "$booktest" | sort | tr '\n' ' ')" = "browser.exe cancel.log " ] ||
    { why="C:\\booktest holds $(ls -A "$booktest")"; return 1; }
  ! "$WINE64" reg query "$bookkey" >/dev/null 2>&1 || { why="a registry record"; false; }
}
check "nothing extracted, no record" nothing
check "the starter's temporary folder removed" cleaned

echo "-- accepted (signed book)"
run_book "$work/signed$bits.exe" accept.log accept
folder=$(ep_unixpath "$chosen")
starter_read() {
  [ "$status" -eq 0 ] || { why="the book's exit status $status"; return 1; }
  has "$log" "mode 1: exit status 1, ExitCode 0, CustomPath $chosen" &&
    has "$log" "run: -mode 2 -rtpfilename" && has "$log" "-installdirectory \"$chosen\"" &&
    has "$log" "mode 2: exit status 1, ExitCode 0" && has "$log" "book: exit status 0 (installed)"
}
check "the starter read exit status 1 and ExitCode 0 from both modes" starter_read
extracted() {
  local f
  for f in index.htm chapter1.htm book.ico; do
    cmp -s "samples/atlas/$f" "$folder/$f" || { why="$f differs or is missing"; return 1; }
  done
}
check "the book extracted where the reader chose" extracted
shortcuts() {
  local shown
  [ -f "$folder/Open World's Atlas.lnk" ] && [ -f "${links[0]}" ] ||
    { why="missing: $(ls "$folder" "$desktop")"; return 1; }
  [ ! -e "${links[1]}" ] || { why="a Start-menu entry the reader did not want"; return 1; }
  shown=$("$WINE64" "$bin/showlink.exe" "$(ep_winpath "$folder/Open World's Atlas.lnk")" \
    "$(ep_winpath "${links[0]}")" 2>/dev/null | tr -d '\r')
  [ "$(grep -c -F "target: $chosen\\index.htm" <<<"$shown")" -eq 2 ] &&
    [ "$(grep -c -F "icon:   $chosen\\book.ico,0" <<<"$shown")" -eq 2 ] || { why=$shown; false; }
}
check "open and desktop shortcuts to the start file, no Start-menu entry" shortcuts
check "the import marker" test -f "$folder/import.7xe"
record() {
  local r
  r=$(ep_reg query "$bookkey")
  has "$r" "UserID    REG_SZ    o'brien-1001" && has "$r" 'OstrelSKU    REG_SZ    OSK/2026 $5' &&
    has "$r" 'PartnerID    REG_SZ    partner 42-b`' && has "$r" "Install Directory    REG_SZ    $chosen" &&
    has "$r" "TimeStamp    REG_BINARY" || return 1
  ! grep -q Shortcut <<<"$r" || { why="the choices were not taken: $r"; false; }
}
check "the registry record, referral values whole" record
browser() {
  local asked
  for _ in $(seq 50); do
    asked=$(tr -d '\r' 2>/dev/null <"$EXTRACTPANEL_FAKEBROWSER_LOG")
    [ -n "$asked" ] && break
    sleep 0.1
  done
  has "$asked" "$chosen\\index.htm"
}
check "the browser asked to open the start file" browser
signed() { osslsigncode verify -CAfile "$work/cert.pem" -in "$1" >/dev/null 2>&1; }
check "the helper the book ran was signed" signed "$helper_copy"
check "the starter's temporary folder removed" cleaned

echo "-- a reader whose Documents and TEMP lie under a name outside the code page"
# C:\users\Łukasz on code page 1252, which Wine takes from C.UTF-8 while its
# file names keep every character. The reader types the folder in full.
export LC_ALL=C.UTF-8
lukasz=$WINEPREFIX/drive_c/users/Łukasz
lukasz_win='C:\users\Łukasz'
shellfolders='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders'
lukasz_id=booktest-lukasz
lukasz_key="HKCU\\Software\\Ostrel\\UserData\\Referrals\\$lukasz_id"
lukasz_book=$lukasz/Documents/Ostrelbooks/Atlas
rm -rf "$lukasz"
mkdir -p "$lukasz/Documents" "$lukasz/Temp"
users_before=$(ls -A "$WINEPREFIX/drive_c/users")
# The shell keeps what it finds in Shell Folders: that goes back too.
saved=("$shellfolders" "${shellfolders/User Shell/Shell}" 'HKCU\Environment')
for i in "${!saved[@]}"; do
  "$WINE64" reg export "${saved[$i]}" "$(ep_winpath "$work/saved$i.reg")" /y >/dev/null 2>&1
done
ep_reg add "$shellfolders" /v Personal /t REG_EXPAND_SZ /d "$lukasz_win\\Documents" /f >/dev/null
for v in TEMP TMP; do ep_reg add 'HKCU\Environment' /v $v /t REG_EXPAND_SZ /d "$lukasz_win\\Temp" /f >/dev/null; done
check "Atlas built for the reader" built lukasz$bits.exe "$(machine $bits)" 0 --stub $bits --id "$lukasz_id" \
  --folder '' --title Atlas
accept_lukasz() { "$WINE64" "$driver" "$lukasz_win\\Documents\\Ostrelbooks\\Atlas" 0 0 >/dev/null 2>&1; }
run_book "$work/lukasz$bits.exe" lukasz.log accept_lukasz
echo "$log" | sed 's/^/  log: /'
lukasz_status() { [ "$status" -eq 0 ] || { why="the book's exit status $status"; false; }; }
check "the book ended with status 0" lukasz_status
# The log is written in the code page, where a look-alike (Lukasz) would
# name another folder: each path handed over must name the real one.
# The Unix folder a Windows path names, as Wine finds it (short names
# too), without Wine's drive links.
unix_real() { realpath -m "$(ep_unixpath "$1")"; }
resolves() { # LOG-PREFIX UNIX-PATH: UNIX-PATH, which may hold a pattern
  local line path
  line=$(grep -m1 -F -- "$1" <<<"$log") || { why="no \"$1\" in the log"; return 1; }
  path=${line#"$1"}
  [[ $(unix_real "$path") == $(realpath -m "$2") ]] || { why="$path is $(unix_real "$path")"; false; }
}
check "the helper run from TEMP under Łukasz" \
  resolves "helper: " "$lukasz/Temp/ns*.tmp/extractpanel.exe"
check "ExePath naming the folder under Łukasz's Documents" \
  resolves "ExePath: " "$lukasz_book"
lukasz_record() {
  local r dir
  r=$(ep_reg query "$lukasz_key")
  dir=$(sed -n 's/^ *Install Directory *REG_SZ *//p' <<<"$r")
  [ -n "$dir" ] || { why="no Install Directory: $r"; return 1; }
  echo "  Install Directory: $dir"
  [ "$(unix_real "$dir")" = "$(realpath -m "$lukasz_book")" ] || { why="$dir is $(unix_real "$dir")"; return 1; }
  cmp -s samples/atlas/index.htm "$lukasz_book/index.htm" || { why="the book is not in $lukasz_book"; false; }
}
check "the book in the real folder, its Install Directory naming it" lukasz_record
lukasz_only() {
  [ "$(ls -A "$WINEPREFIX/drive_c/users")" = "$users_before" ] ||
    { why="C:\\users holds $(ls -A "$WINEPREFIX/drive_c/users" | tr '\n' ' ')"; return 1; }
  [ -z "$(ls -A "$lukasz/Temp")" ] || { why="left in TEMP: $(ls -A "$lukasz/Temp")"; false; }
}
check "no other folder under C:\\users, and TEMP left empty" lukasz_only
"$WINE64" reg delete "$lukasz_key" /f >/dev/null 2>&1
for i in "${!saved[@]}"; do "$WINE64" reg import "$(ep_winpath "$work/saved$i.reg")" >/dev/null 2>&1; done
rm -rf "$lukasz"

tidy
ep_session_stop
echo "book sizes: $(cd "$work" && stat -c '%n %s bytes' plain$bits.exe signed$bits.exe signed$other.exe | paste -sd, | sed 's/,/, /g')"
echo "test-book: $passed passed, $failed failed"
[ $failed -eq 0 ]
