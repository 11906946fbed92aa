// POSIX only: the shell's light-weight path functions, with Windows path
// rules (drive roots, \\server\share\) and double-byte characters.
#include "platform.h"

#include <strings.h>

namespace {

// Past the next backslash from pText on, or null when there is none.
LPCSTR PastNextBackslash(LPCSTR pText)
{
  for (LPCSTR p = pText; *p; p = CharNextA(p))
    if (*p == '\\') return p + 1;
  return nullptr;
}

// The last whole character: a double-byte character may end in the code
// of a backslash or a space.
LPSTR LastCharacter(LPSTR pszPath)
{
  LPSTR pLast = nullptr;
  for (LPSTR p = pszPath; *p; p = CharNextA(p)) pLast = p;
  return pLast;
}

}  // namespace

BOOL PathIsRelativeA(LPCSTR pszPath)
{
  if (*pszPath == 0 || IsDBCSLeadByte(static_cast<BYTE>(*pszPath))) return TRUE;
  return !(pszPath[0] == '\\' || pszPath[1] == ':');
}

LPSTR PathSkipRootA(LPCSTR pszPath)
{
  if (pszPath[0] == '\\' && pszPath[1] == '\\') {
    // \\server\share\ : both names need the backslash that ends them.
    LPCSTR pShare = PastNextBackslash(pszPath + 2);
    return const_cast<LPSTR>(pShare ? PastNextBackslash(pShare) : nullptr);
  }
  if (*pszPath == 0 || IsDBCSLeadByte(static_cast<BYTE>(*pszPath))) return nullptr;
  if (pszPath[1] == ':' && pszPath[2] == '\\') return const_cast<LPSTR>(pszPath + 3);
  return nullptr;
}

BOOL PathIsUNCA(LPCSTR pszPath)
{
  if (pszPath[0] != '\\' || pszPath[1] != '\\') return FALSE;
  // An extended-length path \\?\ is a UNC path only in its \\?\UNC\ form.
  if (pszPath[2] != '?' || pszPath[3] != '\\') return TRUE;
  return strncasecmp(pszPath + 4, "UNC\\", 4) == 0;
}

int PathGetDriveNumberA(LPCSTR pszPath)
{
  char cLetter = static_cast<char>(pszPath[0] | 0x20);
  if (cLetter < 'a' || cLetter > 'z' || pszPath[1] != ':') return -1;
  return cLetter - 'a';
}

// The program asks only for drives that PathGetDriveNumberA found.
LPSTR PathBuildRootA(LPSTR pszRoot, int iDrive)
{
  pszRoot[0] = static_cast<char>('A' + iDrive);
  pszRoot[1] = ':';
  pszRoot[2] = '\\';
  pszRoot[3] = 0;
  return pszRoot;
}

LPSTR PathAddBackslashA(LPSTR pszPath)
{
  int nLength = lstrlenA(pszPath);
  if (nLength >= MAX_PATH) return nullptr;
  if (nLength == 0) return pszPath;
  LPSTR pEnd = pszPath + nLength;
  if (*LastCharacter(pszPath) != '\\') {
    *pEnd++ = '\\';
    *pEnd = 0;
  }
  return pEnd;
}

LPSTR PathGetArgsA(LPCSTR pszPath)
{
  bool bInQuotes = false;
  LPCSTR p = pszPath;
  for (; *p; p = CharNextA(p)) {
    if (*p == ' ' && !bInQuotes) return const_cast<LPSTR>(p + 1);
    if (*p == '"') bInQuotes = !bInQuotes;
  }
  return const_cast<LPSTR>(p);
}

void PathRemoveArgsA(LPSTR pszPath)
{
  LPSTR pArgs = PathGetArgsA(pszPath);
  if (*pArgs) {
    pArgs[-1] = 0;
    return;
  }
  // No arguments: a space that ends the text still goes.
  LPSTR pLast = LastCharacter(pszPath);
  if (pLast && *pLast == ' ') *pLast = 0;
}
