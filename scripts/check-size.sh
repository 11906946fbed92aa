#!/usr/bin/env bash
# Prints the size of a Windows executable, its loader protections and the
# DLLs it imports; fails when it passes 32 KiB (the aim is 28 KiB), lacks
# ASLR with relocations, NX or terminal-server awareness (and, on 64-bit,
# high-entropy ASLR), lacks a load configuration whose DependentLoadFlags
# is System32 only (0x800; on x86 a 64-byte one, as Windows XP expects),
# has a TLS directory, or imports the C run-time (msvcrt) or anything but
# Windows system DLLs: the exe starts at an entry of its own.
set -uo pipefail
exe=${1:-build/win32/extractpanel.exe}
budget=32768
aim=28672
system_dlls='^(kernel32|user32|gdi32|advapi32|shell32|shlwapi|ole32|oleaut32|comctl32|comdlg32)\.dll$'

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
grep -q '^Magic.*PE32+' <<<"$headers" && wanted="$wanted HIGH_ENTROPY_VA"
for flag in $wanted; do
  echo "$flags" | grep -qw "$flag" || { echo "  lacks $flag"; status=1; }
done
# ASLR needs the relocations: a base relocation table, not stripped.
# (grep -q reads a here-string: fed by a pipe, it may stop the writer
# early, and pipefail would then turn a match into a failure.)
grep -q 'relocations stripped' <<<"$headers" && { echo "  relocations stripped"; status=1; }
grep -Eq '^Entry 5 0*[1-9a-f][0-9a-f]* 0*[1-9a-f]' <<<"$headers" \
  || { echo "  no base relocation table"; status=1; }

# The load configuration: data directory 10, then the structure's Size and
# DependentLoadFlags (the WORD at 0x36, 0x4E on 64-bit) read from the image.
read -r lc_rva lc_size < <(echo "$headers" | awk '/^Entry a / { print $3, $4 }')
base=$(echo "$headers" | awk '/^ImageBase/ { print $2 }')
flag_at=0x36; pe32=1
grep -q '^Magic.*PE32+' <<<"$headers" && { flag_at=0x4E; pe32=0; }
echo "load configuration: $(echo "$headers" | grep '^Entry a ')"
if [ $((16#${lc_rva:-0})) -eq 0 ] || [ $((16#${lc_size:-0})) -eq 0 ]; then
  echo "  no load configuration directory"; status=1
else
  lc_bytes=$((16#$lc_size))
  start=$((16#$base + 16#$lc_rva))
  # Whole 16-byte lines, reaching the flag even in a directory too short for
  # it: no line then ends in a part-filled column.
  span=$((lc_bytes > flag_at + 2 ? lc_bytes : flag_at + 2))
  span=$(( (span + 15) & ~15 ))
  bytes=$(x86_64-w64-mingw32-objdump -s --start-address=$start --stop-address=$((start + span)) "$exe" \
    | awk '/^ [0-9a-f]+ / { print $2 $3 $4 $5 }' | tr -d '\n')
  word() { echo $((16#${bytes:$(($1 * 2 + 2)):2}${bytes:$(($1 * 2)):2})); }
  struct_size=$((16#${bytes:6:2}${bytes:4:2}${bytes:2:2}${bytes:0:2}))
  dependent=$(word $flag_at)
  printf '  Size %d, directory %d bytes, DependentLoadFlags 0x%04x\n' "$struct_size" "$lc_bytes" "$dependent"
  # Loaders read a field only when the Size reaches past it, and take the
  # structure only when the directory states the same size.
  [ "$struct_size" -eq "$lc_bytes" ] || { echo "  the directory's size is not the structure's Size"; status=1; }
  [ "$struct_size" -ge $((flag_at + 2)) ] || { echo "  Size ends before DependentLoadFlags"; status=1; }
  [ $((dependent & 0x800)) -ne 0 ] || { echo "  DependentLoadFlags lacks LOAD_LIBRARY_SEARCH_SYSTEM32"; status=1; }
  if [ $pe32 -eq 1 ] && [ "$struct_size" -ne 64 ]; then
    echo "  not 64 bytes on x86"; status=1
  fi
fi

# The C run-time's start-up code brings one for its thread-local data.
grep -Eq '^Entry 9 0*[1-9a-f]' <<<"$headers" && { echo "  a TLS directory"; status=1; }

echo "imports:"
while read -r dll; do
  name=$(echo "$dll" | tr 'A-Z' 'a-z')
  if [ "$name" = msvcrt.dll ]; then
    echo "  $dll  <- the C run-time"; status=1
  elif echo "$name" | grep -Eq "$system_dlls"; then
    echo "  $dll"
  else
    echo "  $dll  <- not a Windows system DLL"; status=1
  fi
done < <(echo "$headers" | sed -n 's/^\s*DLL Name: //p')
exit $status
