// POSIX only: stand-ins for the shell's root and drive functions.
#include "platform.h"

namespace {

bool IsLetterAZ(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Past the next backslash from pText on, or null when there is none.
LPCSTR PastNextBackslash(LPCSTR pText)
{
  for (LPCSTR p = pText; *p; p = CharNextA(p)) {
    if (*p == '\\') return p + 1;
  }
  return 0;
}

}  // namespace

BOOL PathIsRelativeA(LPCSTR pszPath)
{
  if (pszPath == 0 || *pszPath == 0 || IsDBCSLeadByte((BYTE)*pszPath)) return TRUE;
  return !(pszPath[0] == '\\' || pszPath[1] == ':');
}

LPSTR PathSkipRootA(LPCSTR pszPath)
{
  if (pszPath == 0) return 0;
  if (pszPath[0] == '\\' && pszPath[1] == '\\') {
    // \\server\share\ : both names need the backslash that ends them.
    LPCSTR pShare = PastNextBackslash(pszPath + 2);
    return pShare ? (LPSTR)PastNextBackslash(pShare) : 0;
  }
  if (*pszPath == 0 || IsDBCSLeadByte((BYTE)*pszPath)) return 0;
  if (pszPath[1] == ':' && pszPath[2] == '\\') return (LPSTR)(pszPath + 3);
  return 0;
}

BOOL PathIsUNCA(LPCSTR pszPath)
{
  if (pszPath == 0 || pszPath[0] != '\\' || pszPath[1] != '\\') return FALSE;
  // An extended-length path \\?\ is a UNC path only in its \\?\UNC\ form.
  if (pszPath[2] != '?' || pszPath[3] != '\\') return TRUE;
  return (pszPath[4] == 'U' || pszPath[4] == 'u') && (pszPath[5] == 'N' || pszPath[5] == 'n') &&
         (pszPath[6] == 'C' || pszPath[6] == 'c') && pszPath[7] == '\\';
}

int PathGetDriveNumberA(LPCSTR pszPath)
{
  if (pszPath == 0 || !IsLetterAZ(pszPath[0]) || pszPath[1] != ':') return -1;
  return (pszPath[0] | 0x20) - 'a';
}

LPSTR PathBuildRootA(LPSTR pszRoot, int iDrive)
{
  if (pszRoot && iDrive >= 0 && iDrive < 26) {
    pszRoot[0] = (char)('A' + iDrive);
    pszRoot[1] = ':';
    pszRoot[2] = '\\';
    pszRoot[3] = 0;
  }
  return pszRoot;
}
