#!/usr/bin/env bash
# Prints the size of a Windows executable, its loader protections and the
# DLLs it imports; fails when it passes 40 KiB (the aim is 36 KiB), lacks
# ASLR with relocations, NX or terminal-server awareness (and, on 64-bit,
# high-entropy ASLR), or imports anything but Windows system DLLs.
set -uo pipefail
exe=${1:-build/win32/extractpanel.exe}
budget=40960
aim=36864
system_dlls='^(kernel32|user32|gdi32|advapi32|shell32|shlwapi|ole32|oleaut32|comctl32|comdlg32|msvcrt)\.dll$'

[ -f "$exe" ] || { echo "missing: $exe"; exit 1; }
size=$(stat -c %s "$exe")
echo "$exe: $size bytes (budget $budget, aim $aim)"
status=0
[ "$size" -le "$budget" ] || { echo "over budget by $((size - budget)) bytes"; status=1; }
[ "$size" -le "$aim" ] || echo "over the aim by $((size - aim)) bytes"

headers=$(x86_64-w64-mingw32-objdump -p "$exe" 2>/dev/null)  # reads PE32 and PE32+
flags=$(echo "$headers" | sed -n '/^DllCharacteristics/,/^SizeOfStackReserve/p' | sed '1d;$d' | tr -s ' \t\n' ' ')
echo "DllCharacteristics: $(echo "$headers" | awk '/^DllCharacteristics/ { print $2 }')$flags"
wanted="DYNAMIC_BASE NX_COMPAT TERMINAL_SERVICE_AWARE"
echo "$headers" | grep -q '^Magic.*PE32+' && wanted="$wanted HIGH_ENTROPY_VA"
for flag in $wanted; do
  echo "$flags" | grep -qw "$flag" || { echo "  lacks $flag"; status=1; }
done
# ASLR needs the relocations: a base relocation table, not stripped.
echo "$headers" | grep -q 'relocations stripped' && { echo "  relocations stripped"; status=1; }
echo "$headers" | grep -Eq '^Entry 5 0*[1-9a-f][0-9a-f]* 0*[1-9a-f]' \
  || { echo "  no base relocation table"; status=1; }

echo "imports:"
while read -r dll; do
  if echo "$dll" | tr 'A-Z' 'a-z' | grep -Eq "$system_dlls"; then
    echo "  $dll"
  else
    echo "  $dll  <- not a Windows system DLL"; status=1
  fi
done < <(echo "$headers" | sed -n 's/^\s*DLL Name: //p')
exit $status
