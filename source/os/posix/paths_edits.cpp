// POSIX only: stand-ins for the shell's trailing backslash and argument split.
#include "platform.h"

LPSTR PathAddBackslashA(LPSTR pszPath)
{
  if (pszPath == 0) return 0;
  int nLength = lstrlenA(pszPath);
  if (nLength >= MAX_PATH) return 0;
  if (nLength == 0) return pszPath;
  // The last whole character decides: a double-byte character may end in
  // the code of a backslash.
  LPSTR pLast = pszPath;
  for (LPSTR p = pszPath; *p; p = CharNextA(p)) pLast = p;
  LPSTR pEnd = pszPath + nLength;
  if (*pLast != '\\') {
    *pEnd++ = '\\';
    *pEnd = 0;
  }
  return pEnd;
}

LPSTR PathGetArgsA(LPCSTR pszPath)
{
  if (pszPath == 0) return 0;
  bool bInQuotes = false;
  LPCSTR p = pszPath;
  for (; *p; p = CharNextA(p)) {
    if (*p == ' ' && !bInQuotes) return (LPSTR)(p + 1);
    if (*p == '"') bInQuotes = !bInQuotes;
  }
  return (LPSTR)p;
}

void PathRemoveArgsA(LPSTR pszPath)
{
  if (pszPath == 0) return;
  LPSTR pArgs = PathGetArgsA(pszPath);
  if (*pArgs) {
    pArgs[-1] = 0;
    return;
  }
  // No arguments: a space that ends the text still goes.
  LPSTR pLast = 0;
  for (LPSTR p = pszPath; *p; p = CharNextA(p)) pLast = p;
  if (pLast && *pLast == ' ') *pLast = 0;
}
