// POSIX only: the kernel's text: the ANSI code page and its double-byte
// characters, comparison, message formatting and the string table.
#include "platform.h"
#include "platform_codepage.h"

#include <stdlib.h>

#include <cstring>
#include <new>
#include <string>

#include "foldedname.h"
#include "stringtable.h"

namespace {

const UINT CP_SINGLE_BYTE = 1252;
const DWORD KNOWN_FLAGS =
    FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY;
const size_t MAX_TEMPLATE = 32767;

UINT g_nCodePage = 0;  // 0 until taken from the locale

// The code page of a locale name such as ja_JP.SJIS@euro: by its character
// set, in small letters without '-' and '_'.
UINT CodePageOfLocale()
{
  const char* pLocale = nullptr;
  for (const char* pVariable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* pValue = getenv(pVariable);
    if (pValue && *pValue && !pLocale) pLocale = pValue;
  }
  const char* pDot = pLocale ? strchr(pLocale, '.') : nullptr;
  if (pDot == nullptr) return CP_SINGLE_BYTE;
  std::string charset;
  for (const char* p = pDot + 1; *p && *p != '@'; ++p)
    if (*p != '-' && *p != '_') charset += *p;
  charset = FoldedName(charset);
  static const struct { const char* pName; UINT nCodePage; } s_aCharsets[] = {
      {"sjis", 932},    {"shiftjis", 932}, {"cp932", 932},     {"windows31j", 932},
      {"mskanji", 932}, {"gbk", 936},      {"cp936", 936},     {"gb2312", 936},
      {"euccn", 936},   {"big5", 950},     {"big5hkscs", 950}, {"cp950", 950},
      {"euckr", 949},   {"cp949", 949},    {"uhc", 949},
  };
  for (const auto& rCharset : s_aCharsets)
    if (charset == rCharset.pName) return rCharset.nCodePage;
  return CP_SINGLE_BYTE;
}

unsigned char FoldLetter(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; }

// Letters compare without regard to case first; with bCaseMatters, the first
// difference of case then decides, small letters first, as the system's
// word order has it. Both bytes of a double-byte character compare as they
// stand.
int CompareAnsi(LPCSTR pLeft, LPCSTR pRight, bool bCaseMatters)
{
  if (pLeft == nullptr) pLeft = "";
  if (pRight == nullptr) pRight = "";
  int nCaseOrder = 0;
  bool bTrailByte = false;
  for (;; ++pLeft, ++pRight) {
    unsigned char cLeft = static_cast<unsigned char>(*pLeft);
    unsigned char cRight = static_cast<unsigned char>(*pRight);
    unsigned char cFoldedLeft = bTrailByte ? cLeft : FoldLetter(cLeft);
    unsigned char cFoldedRight = bTrailByte ? cRight : FoldLetter(cRight);
    if (cFoldedLeft != cFoldedRight) return cFoldedLeft < cFoldedRight ? -1 : 1;
    if (cLeft == 0) return bCaseMatters ? nCaseOrder : 0;
    if (cLeft != cRight && nCaseOrder == 0) nCaseOrder = (cLeft >= 'a') ? -1 : 1;
    bTrailByte = !bTrailByte && IsDBCSLeadByte(cLeft);
  }
}

// The template with its escapes and inserts worked out; false for a
// malformed one. %0 ends the message; %n, %r, %t are line end, CR and tab;
// %1 to %99 take that insert's text; any other character after % stands
// for itself. A line end of any form becomes CR LF.
bool ExpandTemplate(const char* p, const UINT_PTR* pInserts, std::string& rOut)
{
  while (*p) {
    if (*p == '\r' || *p == '\n') {
      p += (p[0] == '\r' && p[1] == '\n') ? 2 : 1;
      rOut += "\r\n";
      continue;
    }
    if (*p++ != '%') {
      rOut += p[-1];
      continue;
    }
    char c = *p++;
    if (c == 0) return false;
    if (c == '0') return true;
    if (c == 'n') rOut += "\r\n";
    else if (c == 'r') rOut += '\r';
    else if (c == 't') rOut += '\t';
    else if (c < '1' || c > '9') rOut += c;
    else {
      int nIndex = c - '0';
      if (*p >= '0' && *p <= '9') nIndex = nIndex * 10 + (*p++ - '0');
      if (pInserts == nullptr) return false;
      const char* pText = reinterpret_cast<const char*>(pInserts[nIndex - 1]);
      rOut += pText ? pText : "(null)";
    }
  }
  return true;
}

DWORD FailFormat(DWORD dwError)
{
  SetLastError(dwError);
  return 0;
}

DWORD FormatFromString(DWORD dwFlags, const char* pTemplate, LPSTR lpBuffer, DWORD nSize,
                       const UINT_PTR* pInserts)
{
  std::string out;
  if (!ExpandTemplate(pTemplate, pInserts, out)) return FailFormat(ERROR_INVALID_PARAMETER);
  if (out.empty()) return FailFormat(ERROR_NO_WORK_DONE);
  DWORD dwLength = static_cast<DWORD>(out.size());
  if (dwFlags & FORMAT_MESSAGE_ALLOCATE_BUFFER) {
    char* pCopy = static_cast<char*>(malloc(dwLength + 1));
    if (pCopy == nullptr) return FailFormat(ERROR_NOT_ENOUGH_MEMORY);
    memcpy(pCopy, out.c_str(), dwLength + 1);
    *reinterpret_cast<char**>(lpBuffer) = pCopy;
    return dwLength;
  }
  if (dwLength + 1 > nSize) return FailFormat(ERROR_INSUFFICIENT_BUFFER);
  memcpy(lpBuffer, out.c_str(), dwLength + 1);
  return dwLength;
}

}  // namespace

UINT GetACP(void)
{
  if (g_nCodePage == 0) g_nCodePage = CodePageOfLocale();
  return g_nCodePage;
}

void SetAnsiCodePage(UINT nCodePage) { g_nCodePage = nCodePage; }

BOOL IsDBCSLeadByte(BYTE TestChar)
{
  switch (GetACP()) {
    case 932: return (TestChar >= 0x81 && TestChar <= 0x9F) || (TestChar >= 0xE0 && TestChar <= 0xFC);
    case 936:
    case 949:
    case 950: return TestChar >= 0x81 && TestChar <= 0xFE;
    default: return FALSE;
  }
}

LPSTR CharNextA(LPCSTR lpsz)
{
  if (*lpsz == 0) return const_cast<LPSTR>(lpsz);
  // A lead byte just before the end stands alone.
  bool bPair = IsDBCSLeadByte(static_cast<BYTE>(*lpsz)) && lpsz[1] != 0;
  return const_cast<LPSTR>(lpsz + (bPair ? 2 : 1));
}

int lstrcmpA(LPCSTR lpString1, LPCSTR lpString2) { return CompareAnsi(lpString1, lpString2, true); }

int lstrcmpiA(LPCSTR lpString1, LPCSTR lpString2) { return CompareAnsi(lpString1, lpString2, false); }

int lstrlenA(LPCSTR lpString) { return lpString ? static_cast<int>(strlen(lpString)) : 0; }

// Only templates given as strings, with inserts from an argument array.
DWORD FormatMessageA(DWORD dwFlags, const void* lpSource, DWORD, DWORD, LPSTR lpBuffer, DWORD nSize,
                     void* Arguments)
{
  if ((dwFlags & FORMAT_MESSAGE_ALLOCATE_BUFFER) && lpBuffer) *reinterpret_cast<char**>(lpBuffer) = nullptr;
  if (!(dwFlags & FORMAT_MESSAGE_FROM_STRING) || (dwFlags & ~KNOWN_FLAGS & ~0xFFu) != 0 ||
      lpSource == nullptr || lpBuffer == nullptr || strlen(static_cast<const char*>(lpSource)) > MAX_TEMPLATE)
    return FailFormat(ERROR_INVALID_PARAMETER);
  const UINT_PTR* pInserts =
      (dwFlags & FORMAT_MESSAGE_ARGUMENT_ARRAY) ? static_cast<const UINT_PTR*>(Arguments) : nullptr;
  try {
    return FormatFromString(dwFlags, static_cast<const char*>(lpSource), lpBuffer, nSize, pInserts);
  } catch (const std::bad_alloc&) {
    return FailFormat(ERROR_NOT_ENOUGH_MEMORY);
  }
}

void* LocalFree(void* hMem)
{
  free(hMem);
  return nullptr;
}

// As Windows: copies at most cchBufferMax - 1 characters, always terminates,
// returns the count copied; an unknown id gives 0 and an empty buffer.
int LoadStringA(HINSTANCE, UINT uID, LPSTR lpBuffer, int cchBufferMax)
{
#define EP_POSIX_STRING(id, text) {id, text},
  static const struct { UINT nId; const char* pText; } s_aStrings[] = {EP_STRING_TABLE(EP_POSIX_STRING)};
#undef EP_POSIX_STRING
  if (lpBuffer == nullptr || cchBufferMax <= 0) return 0;
  const char* pText = "";
  for (const auto& rString : s_aStrings)
    if (rString.nId == uID) { pText = rString.pText; break; }
  size_t nCount = strnlen(pText, static_cast<size_t>(cchBufferMax - 1));
  memcpy(lpBuffer, pText, nCount);
  lpBuffer[nCount] = 0;
  return static_cast<int>(nCount);
}
