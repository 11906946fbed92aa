#!/usr/bin/env bash
# Prints the size of a Windows executable and the DLLs it imports; fails when
# it passes 64 KiB or imports anything but Windows system DLLs.
set -uo pipefail
exe=${1:-build/win32/extractpanel.exe}
budget=65536
system_dlls='^(kernel32|user32|gdi32|advapi32|shell32|shlwapi|ole32|oleaut32|comctl32|comdlg32|msvcrt)\.dll$'

[ -f "$exe" ] || { echo "missing: $exe"; exit 1; }
size=$(stat -c %s "$exe")
echo "$exe: $size bytes (budget $budget)"
status=0
[ "$size" -le "$budget" ] || { echo "over budget by $((size - budget)) bytes"; status=1; }
echo "imports:"
while read -r dll; do
  if echo "$dll" | tr 'A-Z' 'a-z' | grep -Eq "$system_dlls"; then
    echo "  $dll"
  else
    echo "  $dll  <- not a Windows system DLL"; status=1
  fi
done < <(i686-w64-mingw32-objdump -p "$exe" 2>/dev/null | sed -n 's/^\s*DLL Name: //p')
exit $status
