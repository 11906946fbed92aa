#!/usr/bin/env bash
# Builds a self-extracting book: the reference starter (starter/book.nsi)
# with extractpanel and the book's files in it, made by makensis.
#   usage: scripts/make-book.sh [options] BOOK_DIR OUT.exe
#   --id ID          the book id, naming the reader's registry record
#                    (default: the folder's name in lower case)
#   --title TITLE    the title; names the shortcuts and the default folder
#                    (default: the folder's name, first letter capital)
#   --start FILE     the start file, relative to BOOK_DIR (default index.htm)
#   --icon FILE      the shortcuts' icon, relative to BOOK_DIR (default
#                    book.ico when the folder holds one, else none)
#   --marker NAME    the import marker file (default import.7xe)
#   --user ID, --sku SKU, --partner ID   the referral values (default empty)
#   --folder DIR     the folder the dialog offers, a Windows path (default:
#                    the reader's Documents\Ostrelbooks\TITLE)
#   --stub 32|64     32 (default): the x86-unicode stub around the shipped
#                    build/win32/extractpanel.exe; 64: the amd64-unicode stub
#                    around build/win64-release/extractpanel.exe
#   --helper EXE     pack this extractpanel.exe instead (of the stub's bitness)
#   --sign CERT.pfx  sign the helper before packing and the book after, with
#                    osslsigncode; the password comes from EP_SIGN_PASSWORD
#   --codepage CP    the readers' ANSI code page (default 1252): every value
#                    the helper reads must be whole in it
# OUT.exe appears only when everything succeeded; an error leaves nothing.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)

fail() { echo "make-book: $*" >&2; exit 1; }
usage() { sed -n '2,24s/^# \{0,1\}//p' "$0" >&2; exit 2; }

id= title= start=index.htm icon= icon_set=0 marker=import.7xe user= sku= partner=
folder= stub=32 helper= cert= codepage=1252
while [ $# -gt 0 ]; do
  case $1 in
    --id|--title|--start|--icon|--marker|--user|--sku|--partner|--folder|--stub|--helper|--sign|--codepage)
      [ $# -ge 2 ] || fail "$1 needs a value"
      case $1 in
        --id) id=$2 ;; --title) title=$2 ;; --start) start=$2 ;;
        --icon) icon=$2 icon_set=1 ;; --marker) marker=$2 ;; --user) user=$2 ;;
        --sku) sku=$2 ;; --partner) partner=$2 ;; --folder) folder=$2 ;;
        --stub) stub=$2 ;; --helper) helper=$2 ;; --sign) cert=$2 ;; --codepage) codepage=$2 ;;
      esac
      shift 2 ;;
    -h|--help) usage ;;
    --) shift; break ;;
    -*) fail "unknown option $1" ;;
    *) break ;;
  esac
done
[ $# -eq 2 ] || usage
book_dir=$1 out=$2

# --- the input, checked before anything is made
[ -d "$book_dir" ] || fail "no book folder $book_dir"
book_dir=$(cd "$book_dir" && pwd)
name=$(basename "$book_dir")
id=${id:-${name,,}}
title=${title:-${name^}}
# Relative names go to Windows with backslashes; here they are looked up
# with slashes.
start=${start//\//\\} icon=${icon//\//\\} marker=${marker//\//\\}
[ -f "$book_dir/${start//\\//}" ] || fail "the book folder $book_dir has no start file $start"
if [ $icon_set -eq 0 ]; then
  [ -f "$book_dir/book.ico" ] && icon=book.ico
elif [ -n "$icon" ] && [ ! -f "$book_dir/${icon//\\//}" ]; then
  fail "the book folder $book_dir has no icon $icon"
fi
out_dir=$(dirname "$out")
[ -d "$out_dir" ] || fail "no folder $out_dir for $out"
[ ! -d "$out" ] || fail "$out is a folder"
out=$(cd "$out_dir" && pwd)/$(basename "$out")

# The starter puts each value between double quotes, and the helper trims a
# value's trailing blanks and one trailing quote; it takes at most 259
# characters of a name or folder (LIMIT). The command lines' length bounds
# the rest.
check_value() { # WHAT VALUE [LIMIT]
  case $2 in *'"'*) fail "the $1 may not hold a double quote: $2" ;; esac
  case $2 in *[[:space:]]|*"'") fail "the $1 may not end in a blank or a quote: $2" ;; esac
  # makensis reads "${" as the start of a define, however it is escaped.
  case $2 in *'${'*) fail "the $1 may not hold \${: $2" ;; esac
  [[ $2 != *[[:cntrl:]]* ]] || fail "the $1 may not hold a control character"
  [ -z "${3:-}" ] || [ "$(printf %s "$2" | wc -c)" -le "$3" ] || fail "the $1 is longer than $3 bytes"
}
check_name() { # WHAT VALUE: also a file name on Windows
  case $2 in *[\\/:*?\<\>\|]*) fail "the $1 may not hold any of \\ / : * ? < > |: $2" ;; esac
  check_value "$1" "$2" 259
}
[ -n "$id" ] || fail "the book id is empty"
[ -n "$title" ] || fail "the title is empty"
check_value "book id" "$id"
check_value "user id" "$user"
check_value "product code" "$sku"
check_value "partner id" "$partner"
check_value "start file" "$start" 259
check_value "icon" "$icon" 259
check_value "marker" "$marker" 259
check_value "folder" "$folder" 259
check_name "title" "$title"
check_name "open shortcut's name" "Open $title"
# The helper reads its command line and result file in the readers' ANSI
# code page, where a character outside it becomes a look-alike or "?".
# iconv converts without best fit, as the starter does.
case $codepage in
  65001) ;;
  *[!0-9]*|'') fail "--codepage takes a code page number, not $codepage" ;;
  *) printf '' | iconv -f UTF-8 -t "CP$codepage" >/dev/null 2>&1 ||
       fail "iconv does not know code page $codepage" ;;
esac
whole() { # WHAT OPTION VALUE
  [ "$codepage" = 65001 ] || printf %s "$3" | iconv -f UTF-8 -t "CP$codepage" >/dev/null 2>&1 ||
    fail "the $1 ($2) holds characters outside code page $codepage (--codepage): $3"
}
whole "book id" --id "$id"
whole title --title "$title"
whole "start file" --start "$start"
whole icon --icon "$icon"
whole marker --marker "$marker"
whole "user id" --user "$user"
whole "product code" --sku "$sku"
whole "partner id" --partner "$partner"
whole folder --folder "$folder"
# The starter's strings, its command lines among them, hold 1023
# characters. Both lines must fit with a temporary folder of 64 characters
# and a chosen folder of 259.
fits() { [ ${#1} -lt 1023 ] || fail "the values make the starter's mode $2 command line too long (${#1} characters, at most 1022)"; }
T=$(printf '%64s' | tr ' ' t) F=$(printf '%259s' | tr ' ' f)
run="\"$T\\extractpanel.exe\" -mode" shared="-rtpfilename \"$T\\book.rtp\" -autorunbookid \"$id\""
fits "$run 1 $shared -authoruserid \"$user\" -authorostrelsku \"$sku\" -authorpartnerid \"$partner\"" 1
fits "$run 2 $shared -installdirectory \"$F\" -targetfilepath \"$start\" -shortcuticonpath \"$icon\" \
-importtoostrelfilename \"$marker\" -openshortcutname \"Open $title\" -desktopshortcutname \"$title\"" 2

case $stub in
  32) target=x86-unicode preset=win32 machine=014c ;;
  64) target=amd64-unicode preset=win64-release machine=8664 ;;
  *) fail "--stub takes 32 or 64, not $stub" ;;
esac
if [ -z "$helper" ]; then
  helper=$repo/build/$preset/extractpanel.exe
  if [ ! -f "$helper" ]; then
    echo "make-book: building the $preset preset for $helper"
    bash "$repo/scripts/build.sh" "$preset" >&2 || fail "the $preset build failed"
  fi
fi
[ -f "$helper" ] || fail "no helper $helper"
helper=$(cd "$(dirname "$helper")" && pwd)/$(basename "$helper")
# The stub and the helper must agree.
[ "$(python3 "$repo/cmake/peimage.py" machine "$helper")" = "$machine" ] || fail "$helper is not a $stub-bit exe"

command -v makensis >/dev/null || fail "makensis is missing (bash scripts/setup.sh installs it)"
if [ -n "$cert" ]; then
  command -v osslsigncode >/dev/null || fail "osslsigncode is missing (bash scripts/setup.sh installs it)"
  [ -f "$cert" ] || fail "no certificate $cert"
  export EP_SIGN_PASSWORD=${EP_SIGN_PASSWORD:-}
  # Older .pfx files use ciphers that OpenSSL 3 keeps in its legacy provider.
  openssl pkcs12 -in "$cert" -passin env:EP_SIGN_PASSWORD -noout >/dev/null 2>&1 ||
    openssl pkcs12 -legacy -in "$cert" -passin env:EP_SIGN_PASSWORD -noout >/dev/null 2>&1 ||
    fail "the certificate $cert does not open (a .pfx file, its password in EP_SIGN_PASSWORD)"
fi

work=$(mktemp -d)
trap 'rm -rf "$work" "$out.part"' EXIT

# --- signing: the certificate's own chain is trusted beside the system's,
# so verification checks that each signature is whole and made with it; no
# revocation list is fetched, as the build may be offline. The password
# reaches osslsigncode through a pipe, never its command line.
verify_options=()
if [ -n "$cert" ]; then
  { openssl pkcs12 -in "$cert" -passin env:EP_SIGN_PASSWORD -nokeys 2>/dev/null ||
      openssl pkcs12 -legacy -in "$cert" -passin env:EP_SIGN_PASSWORD -nokeys; } >"$work/chain.pem"
  cat /etc/ssl/certs/ca-certificates.crt >>"$work/chain.pem" 2>/dev/null || true
  osslsigncode verify --help 2>&1 | grep -q -- -ignore-crl && verify_options=(-ignore-crl)
fi
sign() { # in out
  osslsigncode sign -pkcs12 "$cert" -readpass <(printf %s "$EP_SIGN_PASSWORD") -h sha256 \
    -n "$title" -in "$1" -out "$2" >"$work/sign.log" 2>&1 ||
    { cat "$work/sign.log" >&2; fail "signing $(basename "$2") failed"; }
  osslsigncode verify "${verify_options[@]}" -CAfile "$work/chain.pem" -in "$2" >"$work/verify.log" 2>&1 ||
    { cat "$work/verify.log" >&2; fail "the signature of $(basename "$2") does not verify"; }
}

echo "make-book: stub $target ($stub-bit) around $helper"
if [ -n "$cert" ]; then
  sign "$helper" "$work/extractpanel.exe"
  echo "make-book: helper signed with $cert and verified"
else
  cp "$helper" "$work/extractpanel.exe"
fi

# --- the starter's settings: NSIS reads "$" as the start of a variable, and
# each of its three quote characters needs its escape.
nsis_text() {
  local v=${1//\$/\$\$}
  v=${v//\"/\$\\\"} v=${v//\'/\$\\\'} v=${v//\`/\$\\\`}
  printf '%s' "$v"
}
define() { printf '!define %s "%s"\n' "$1" "$(nsis_text "$2")"; }
{
  define STUB "$target"
  define HELPER "$work/extractpanel.exe"
  define BOOK_DIR "$book_dir"
  define OUT_FILE "$work/book.exe"
  define BOOK_ID "$id"
  define BOOK_TITLE "$title"
  define USER_ID "$user"
  define SKU "$sku"
  define PARTNER_ID "$partner"
  define START_FILE "$start"
  define ICON_FILE "$icon"
  define MARKER_FILE "$marker"
  define OPEN_NAME "Open $title"
  define DESKTOP_NAME "$title"
  [ -z "$folder" ] || define DEFAULT_FOLDER "$folder"
} >"$work/book.nsh"
makensis -V2 -NOCD "-DBOOK_SETTINGS=$work/book.nsh" "$repo/starter/book.nsi" >"$work/makensis.log" 2>&1 ||
  { cat "$work/makensis.log" >&2; fail "makensis failed"; }

if [ -n "$cert" ]; then
  sign "$work/book.exe" "$work/book-signed.exe"
  mv "$work/book-signed.exe" "$work/book.exe"
  echo "make-book: book signed with $cert and verified"
else
  echo "make-book: not signed (no --sign certificate)"
fi

# Into place in one step, beside OUT.exe first.
cp "$work/book.exe" "$out.part"
mv -f "$out.part" "$out"
echo "make-book: $out ($(stat -c %s "$out") bytes)"
