// Windows: paths from wide text into the ANSI code page.
#include "ansipath.h"

bool WideToAnsi(const WCHAR* pWide, char* pAnsi, int nSize)
{
  // UTF-8 as the code page loses nothing and takes neither the flag nor
  // the question.
  BOOL bLost = FALSE;
  bool bUtf8 = GetACP() == CP_UTF8;
  if (WideCharToMultiByte(CP_ACP, bUtf8 ? 0 : WC_NO_BEST_FIT_CHARS, pWide, -1, pAnsi, nSize, 0,
                          bUtf8 ? 0 : &bLost) > 0 &&
      !bLost)
    return true;
  pAnsi[0] = 0;
  return false;
}

namespace {

// The short form of the first nLength characters of pWide, when they name
// something that exists; else 0. A part longer than a path may be is
// never asked for.
DWORD ShortFormOfPart(const WCHAR* pWide, int nLength, WCHAR (&aShort)[MAX_PATH])
{
  if (nLength <= 0 || nLength >= MAX_PATH) return 0;
  WCHAR aPart[MAX_PATH];
  CopyMemory(aPart, pWide, nLength * sizeof(WCHAR));
  aPart[nLength] = 0;
  DWORD dwLength = GetShortPathNameW(aPart, aShort, MAX_PATH);
  return dwLength < MAX_PATH ? dwLength : 0;
}

// The short form of the longest part of the path that exists, then the
// names below it as they stand. Only what exists has a short form, and the
// new names of a folder still to be made must be whole in the code page.
bool ShortenExistingPart(const WCHAR* pWide, char* pAnsi, int nSize)
{
  WCHAR aShort[MAX_PATH];
  int nLength = lstrlenW(pWide);
  while (nLength > 0 && ShortFormOfPart(pWide, nLength, aShort) == 0) {
    do --nLength;
    while (nLength > 0 && pWide[nLength] != L'\\');
  }
  if (nLength == 0) return false;
  if (!WideToAnsi(aShort, pAnsi, nSize)) return false;
  int nUsed = lstrlenA(pAnsi);
  if (WideToAnsi(pWide + nLength, pAnsi + nUsed, nSize - nUsed)) return true;
  pAnsi[0] = 0;
  return false;
}

}  // namespace

bool WidePathToAnsi(const WCHAR* pWide, char* pAnsi, int nSize)
{
  return WideToAnsi(pWide, pAnsi, nSize) || ShortenExistingPart(pWide, pAnsi, nSize);
}
