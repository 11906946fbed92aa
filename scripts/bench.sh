#!/usr/bin/env bash
# Prints the figures behind the project's budgets: figures only, never a pass
# or a fail (the shipped exe's gate is in its build, cmake/pecheck.py); it
# fails only when it cannot run.
#   1. the win32 Release executable: size, protections and imported DLLs;
#   2. a mode-3 run against an empty GUI program that only initialises COM,
#      both started the same way under the same Wine, from paired runs: the
#      median of each round's ratio (budget 1.05 times); the plain empty GUI
#      program for information, and the shipped win32 exe too where this
#      machine runs 32-bit code;
#   3. the parameters-file walk at 1,000 and 10,000 keys, natively and under
#      Wine (budget about 10 times);
#   4. a whole mode-2 run under Wine, with a sample book and a stand-in
#      browser registered for .htm pages, so nothing real is opened;
#   5. the throughput of the digests behind the anonymous identifier.
# Wine runs in a prefix of the bench's own (build/bench/prefix, made on the
# first run), so the mode-2 runs touch no other prefix. EP_BENCH_RUNS sets
# the number of timed rounds of starts (21, and never fewer).
set -uo pipefail
cd "$(dirname "$0")/.."
repo=$(pwd)
runs=${EP_BENCH_RUNS:-21}
[ "$runs" -ge 21 ] 2>/dev/null || runs=21

bash scripts/build.sh win32 native win64 >/dev/null || exit 1

echo "== the shipped program (win32 Release)"
python3 cmake/pecheck.py build/win32/extractpanel.exe

export EP_WINEPREFIX=$repo/build/bench/prefix
. scripts/wine-env.sh
ep_session_start
bin=$repo/build/win64
# startbench prints: median, least, most (ms), exit status, command; then,
# for each command after the first, "pairs" and its ratio to the first.
startbench() { "$WINE64" "$bin/startbench.exe" "$@" 2>&1 | tr -d '\r'; }

echo
echo "== start-up under Wine: $runs rounds of starts, the commands taking turns (ms)"
empty=$(ep_winpath "$bin/emptygui.exe")
emptycom=$(ep_winpath "$bin/emptycomgui.exe")
program=$(ep_winpath "$bin/extractpanel.exe")
# The yardstick first: each later row is paired with it round by round.
rows=("\"$emptycom\"" "\"$empty\"" "\"$program\" -mode 3")
shipped=$(ep_winpath "$repo/build/win32/extractpanel.exe")
rows+=("\"$shipped\" -mode 3")
table=$(startbench "$runs" "${rows[@]}")
echo "$table" | awk -F'\t' '$1 != "pairs" && NF >= 5 { printf "  %8s  (%s..%s)  exit %s  %s\n", $1, $2, $3, $4, $5 }'
# A pair's ratio: "median (least..most)" of the row's time over the yardstick's.
pairs() { echo "$table" | awk -F'\t' -v n="$1" '$1 == "pairs" && ++i == n { printf "%s  (%s..%s)", $2, $3, $4 }'; }
echo "  paired, median of the $runs rounds' ratios:"
echo "  mode 3 / empty GUI program with COM:   $(pairs 2)  (budget 1.05)"
echo "  empty GUI program / the one with COM:  $(pairs 1)  (for information)"
how="32-bit under 64-bit Wine"
[ "$EP_WINE32_EMULATE" = 0 ] || how="$how, under qemu-i386"
echo "  shipped win32 mode 3 / empty with COM: $(pairs 3)  ($how)"
cat <<'NOTE'
  The program initialises COM in every mode before it reads its command
  line; under Wine loading ole32 (with rpcrt4, combase and their kin) and
  CoInitialize cost about as much as starting an empty program, so the
  yardstick is an empty program that does only that.
NOTE

echo
echo "== parameters-file walk (one section)"
echo "  native:"
build/native/walkbench 1000 10000 | sed 's/^/    /'
echo "  under Wine:"
"$WINE64" "$bin/walkbench.exe" 1000 10000 2>&1 | tr -d '\r' | sed 's/^/    /'
echo "  (budget: 10,000 keys at most about 10 times 1,000 keys)"

echo
echo "== digest throughput, native, optimised (processor time)"
build/native/digestbench 256 | sed 's/^/  /'

echo
echo "== a whole mode-2 run under Wine: median of 5 (ms)"
# The sample book as the run-time leaves it in C:\epbench, and a stand-in
# browser for .htm pages that only writes down what it was asked to open.
work=$WINEPREFIX/drive_c/epbench
rm -rf "$work"
mkdir -p "$work/Atlas"
cp -r samples/atlas/. "$work/Atlas/"
cp samples/atlas.ini "$work/atlas.ini"
cp "$bin/fakebrowser.exe" "$work/browser.exe"
export EXTRACTPANEL_FAKEBROWSER_LOG='C:\epbench\browser.log'
ep_reg add 'HKCR\.htm' /ve /d epbench.page /f >/dev/null
ep_reg add 'HKCR\epbench.page\shell\open\command' /ve /d '"C:\epbench\browser.exe" "%1"' /f >/dev/null
shell_folder() {
  "$WINE64" winepath -u "$(ep_reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' \
    /v "$1" | sed -n 's/.*REG_SZ *//p')" 2>/dev/null | tr -d '\r'
}
desktop=$(shell_folder Desktop)
group=$(shell_folder Programs)/Ostrelbooks
rm -f "$desktop"/Atlas*.lnk "$group"/Atlas*.lnk
table=$(startbench 5 "\"$program\" -mode 2 -parametersfilepath C:\\epbench\\atlas.ini -installdirectory C:\\epbench\\Atlas")
echo "$table" | awk -F'\t' 'NF >= 5 { printf "  %8s  (%s..%s)  exit %s\n", $1, $2, $3, $4 }'
sleep 1  # the browser is started, not waited for
links=$(ls "$work/Atlas"/*.lnk "$desktop"/Atlas*.lnk "$group"/Atlas*.lnk 2>/dev/null | wc -l)
opened=$(grep -c . "$work/browser.log" 2>/dev/null || echo 0)
echo "  6 runs (one to warm up): $links shortcuts made, the browser asked $opened times"

