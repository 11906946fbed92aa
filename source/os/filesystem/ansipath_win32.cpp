// Windows: paths from wide text into the ANSI code page.
#include "ansipath.h"

bool WideToAnsi(const WCHAR* pWide, char* pAnsi, int nSize)
{
  // UTF-8 as the code page loses nothing and takes neither the flag nor
  // the question.
  BOOL bLost = FALSE;
  bool bUtf8 = GetACP() == CP_UTF8;
  if (WideCharToMultiByte(CP_ACP, bUtf8 ? 0 : WC_NO_BEST_FIT_CHARS, pWide, -1, pAnsi, nSize, 0,
                          bUtf8 ? 0 : &bLost) > 0 && !bLost)
    return true;
  pAnsi[0] = 0;
  return false;
}

bool WidePathToAnsi(const WCHAR* pWide, char* pAnsi, int nSize)
{
  if (WideToAnsi(pWide, pAnsi, nSize)) return true;
  WCHAR aShort[MAX_PATH];
  DWORD dwLength = GetShortPathNameW(pWide, aShort, MAX_PATH);
  return dwLength > 0 && dwLength < MAX_PATH && WideToAnsi(aShort, pAnsi, nSize);
}
