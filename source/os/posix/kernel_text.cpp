// POSIX only: the kernel's text: the ANSI code page and its double-byte
// characters, comparison, environment references, message formatting and
// the string table.
#include "platform.h"
#include "platform_codepage.h"

#include <stdlib.h>
#include <strings.h>
#include <unistd.h>

#include <cstring>
#include <new>
#include <string>

#include "foldedname.h"
#include "stringtable.h"

namespace {

const UINT CP_SINGLE_BYTE = 1252;

UINT g_nCodePage = 0;  // 0 until taken from the locale

// The code page of a locale name such as ja_JP.SJIS@euro: by its character
// set, in small letters without '-' and '_'.
UINT CodePageOfLocale()
{
  const char* pLocale = nullptr;
  for (const char* pVariable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    pLocale = getenv(pVariable);
    if (pLocale && *pLocale) break;
  }
  const char* pDot = pLocale ? strchr(pLocale, '.') : nullptr;
  if (pDot == nullptr) return CP_SINGLE_BYTE;
  std::string charset;
  for (const char* p = pDot + 1; *p && *p != '@'; ++p)
    if (*p != '-' && *p != '_') charset += *p;
  charset = FoldedName(charset);
  static const struct
  {
    const char* pName;
    UINT nCodePage;
  } s_aCharsets[] = {
      {"sjis", 932},      {"shiftjis", 932}, {"cp932", 932},  {"windows31j", 932}, {"mskanji", 932},
      {"gbk", 936},       {"cp936", 936},    {"gb2312", 936}, {"euccn", 936},      {"big5", 950},
      {"big5hkscs", 950}, {"cp950", 950},    {"euckr", 949},  {"cp949", 949},      {"uhc", 949},
  };
  for (const auto& rCharset : s_aCharsets)
    if (charset == rCharset.pName) return rCharset.nCodePage;
  return CP_SINGLE_BYTE;
}

unsigned char FoldLetter(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; }

// The template with its escapes and its one insert worked out; false when
// it ends in a lone %. %0 ends the message; %n, %r, %t are line end, CR and
// tab; %1 takes the insert's text; any other character after % stands for
// itself. A line end of any form becomes CR LF.
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
    else if (c == '1') rOut += reinterpret_cast<const char*>(pInserts[0]);
    else rOut += c;
  }
  return true;
}

// The value of the environment variable whose name is the nName bytes at
// pName, in any case, as Windows matches it; null when it is not set.
const char* EnvironmentValue(const char* pName, size_t nName)
{
  for (char** pp = environ; *pp; ++pp)
    if (strncasecmp(*pp, pName, nName) == 0 && (*pp)[nName] == '=') return *pp + nName + 1;
  return nullptr;
}

DWORD FailFormat(DWORD dwError)
{
  SetLastError(dwError);
  return 0;
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
    case 932:
      return (TestChar >= 0x81 && TestChar <= 0x9F) || (TestChar >= 0xE0 && TestChar <= 0xFC);
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

int lstrcmpA(LPCSTR lpString1, LPCSTR lpString2) { return strcmp(lpString1, lpString2); }

// Letters compare without regard to case, but not the second byte of a
// double-byte character: it is no letter even when it has a letter's code.
int lstrcmpiA(LPCSTR lpString1, LPCSTR lpString2)
{
  for (bool bTrailByte = false;; ++lpString1, ++lpString2) {
    unsigned char cLeft = static_cast<unsigned char>(*lpString1);
    unsigned char cRight = static_cast<unsigned char>(*lpString2);
    if (!bTrailByte) {
      cLeft = FoldLetter(cLeft);
      cRight = FoldLetter(cRight);
    }
    if (cLeft != cRight || cLeft == 0) return cLeft - cRight;
    bTrailByte = !bTrailByte && IsDBCSLeadByte(cLeft);
  }
}

int lstrlenA(LPCSTR lpString) { return lpString ? static_cast<int>(strlen(lpString)) : 0; }

DWORD ExpandEnvironmentStringsA(LPCSTR lpSrc, LPSTR lpDst, DWORD nSize)
{
  std::string out;
  try {
    for (const char* p = lpSrc; *p;) {
      const char* pEnd = *p == '%' ? strchr(p + 1, '%') : nullptr;
      const char* pValue = pEnd && pEnd > p + 1 ? EnvironmentValue(p + 1, pEnd - p - 1) : nullptr;
      // A name that is not set stays with both its percent signs.
      const char* pNext = pEnd ? pEnd + 1 : p + 1;
      if (pValue) out += pValue;
      else out.append(p, pNext - p);
      p = pNext;
    }
  } catch (const std::bad_alloc&) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0;
  }
  DWORD dwNeeded = static_cast<DWORD>(out.size() + 1);
  if (lpDst && nSize >= dwNeeded) memcpy(lpDst, out.c_str(), dwNeeded);
  return dwNeeded;
}

DWORD FormatMessageA(DWORD, const void* lpSource, DWORD, DWORD, LPSTR lpBuffer, DWORD,
                     void* Arguments)
{
  char*& rpOut = *reinterpret_cast<char**>(lpBuffer);
  rpOut = nullptr;
  std::string out;
  try {
    if (!ExpandTemplate(static_cast<const char*>(lpSource), static_cast<const UINT_PTR*>(Arguments),
                        out))
      return FailFormat(ERROR_INVALID_PARAMETER);
  } catch (const std::bad_alloc&) {
    return FailFormat(ERROR_NOT_ENOUGH_MEMORY);
  }
  if (out.empty()) return FailFormat(ERROR_NO_WORK_DONE);
  rpOut = strdup(out.c_str());
  return rpOut ? static_cast<DWORD>(out.size()) : FailFormat(ERROR_NOT_ENOUGH_MEMORY);
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
  static const struct
  {
    UINT nId;
    const char* pText;
  } s_aStrings[] = {EP_STRING_TABLE(EP_POSIX_STRING)};
#undef EP_POSIX_STRING
  const char* pText = "";
  for (const auto& rString : s_aStrings)
    if (rString.nId == uID) pText = rString.pText;
  size_t nCount = strnlen(pText, static_cast<size_t>(cchBufferMax - 1));
  memcpy(lpBuffer, pText, nCount);
  lpBuffer[nCount] = 0;
  return static_cast<int>(nCount);
}
