#include "tpath.h"

#include "pathsearch.h"

int TPath::CreateDirectoryTree(LPSECURITY_ATTRIBUTES pSecurity) const
{
  const char* pPath = m_rPath.Text();
  BOOL bMade = CreateDirectoryA(pPath, pSecurity);
  if (bMade) return bMade;
  // Also a file of that name, or a folder another process made just now.
  if (GetLastError() == ERROR_ALREADY_EXISTS) return 1;
  if (*pPath == 0) return 0;

  // A root cannot be made and counts as present.
  TText root;
  if (GetRoot(root) && lstrcmpA(root.Text(), pPath) == 0) return 1;

  // Make the parent first, shallowest folder first.
  const char* pLastSeparator = FindLastPathChar(pPath, PATH_SEPARATOR_CHAR);
  TText parent;
  if (!parent.Assign(pPath, pLastSeparator ? pLastSeparator - pPath : 0)) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0;
  }
  if (!TPath(parent).CreateDirectoryTree(pSecurity)) return 0;

  bMade = CreateDirectoryA(pPath, pSecurity);
  if (bMade) return bMade;
  return GetLastError() == ERROR_ALREADY_EXISTS ? 1 : 0;
}

int CreateDirectoryTree(const char* pPath, LPSECURITY_ATTRIBUTES pSecurity)
{
  TText copy;
  if (!copy.Assign(pPath)) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0;
  }
  return TPath(copy).CreateDirectoryTree(pSecurity);
}
