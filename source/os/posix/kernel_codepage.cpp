// POSIX only: stand-ins for the ANSI code page and its double-byte characters.
#include <stdlib.h>

#include "platform.h"
#include "platform_codepage.h"
#include "textcompare.h"

namespace {

const UINT CP_SINGLE_BYTE = 1252;

struct TCharsetName
{
  const char* pName;  // small letters, without '-' and '_'
  UINT nCodePage;
};

const TCharsetName g_aCharsets[] = {
  {"sjis", 932},    {"shiftjis", 932}, {"cp932", 932},  {"windows31j", 932},
  {"mskanji", 932}, {"gbk", 936},      {"cp936", 936},  {"gb2312", 936},
  {"euccn", 936},   {"big5", 950},     {"big5hkscs", 950}, {"cp950", 950},
  {"euckr", 949},   {"cp949", 949},    {"uhc", 949},
};

UINT g_nCodePage = 0;  // 0 until taken from the locale

// The character set of a locale name such as ja_JP.SJIS@euro, in the form
// of the table above, compared with pName.
bool CharsetIs(const char* pLocale, const char* pName)
{
  const char* p = pLocale;
  while (*p && *p != '.') ++p;
  if (*p == 0) return false;
  for (++p; *p && *p != '@'; ++p) {
    char c = *p;
    if (c == '-' || c == '_') continue;
    if (FoldAZ(c) != *pName++) return false;
  }
  return *pName == 0;
}

UINT CodePageOfLocale()
{
  static const char* const s_aVariables[] = {"LC_ALL", "LC_CTYPE", "LANG"};
  const char* pLocale = 0;
  for (size_t i = 0; i < sizeof s_aVariables / sizeof s_aVariables[0] && !pLocale; ++i) {
    const char* pValue = getenv(s_aVariables[i]);
    if (pValue && *pValue) pLocale = pValue;
  }
  if (pLocale == 0) return CP_SINGLE_BYTE;
  for (size_t i = 0; i < sizeof g_aCharsets / sizeof g_aCharsets[0]; ++i) {
    if (CharsetIs(pLocale, g_aCharsets[i].pName)) return g_aCharsets[i].nCodePage;
  }
  return CP_SINGLE_BYTE;
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
  if (*lpsz == 0) return (LPSTR)lpsz;
  // A lead byte just before the end stands alone.
  if (IsDBCSLeadByte((BYTE)*lpsz) && lpsz[1] != 0) return (LPSTR)(lpsz + 2);
  return (LPSTR)(lpsz + 1);
}
