// Windows: the special folders through the shell's item lists.
#include "specialfolder.h"

namespace {

// The path in the ANSI code page, or false (pPath empty) when it cannot be
// written there whole: a '?' in place of a letter names another folder.
// UTF-8 as the code page loses nothing and takes neither flag nor question.
bool ToAnsi(const WCHAR* pWide, char* pPath)
{
  BOOL bLost = FALSE;
  bool bUtf8 = GetACP() == CP_UTF8;
  if (WideCharToMultiByte(CP_ACP, bUtf8 ? 0 : WC_NO_BEST_FIT_CHARS, pWide, -1, pPath, MAX_PATH, 0,
                          bUtf8 ? 0 : &bLost) > 0 && !bLost)
    return true;
  pPath[0] = 0;
  return false;
}

}  // namespace

HRESULT GetSpecialFolderPath(TSpecialFolder eFolder, char* pPath)
{
  pPath[0] = 0;
  LPITEMIDLIST pList = 0;
  HRESULT hResult = SHGetSpecialFolderLocation(0, eFolder, &pList);
  if (pList == 0) return hResult;
  WCHAR aPath[MAX_PATH];
  BOOL bHavePath = SUCCEEDED(hResult) && SHGetPathFromIDListW(pList, aPath);
  // The list belongs to the shell's allocator, path or not.
  IMalloc* pMalloc = 0;
  if (SUCCEEDED(SHGetMalloc(&pMalloc)) && pMalloc != 0) {
    pMalloc->Free(pList);
    pMalloc->Release();
  }
  // A profile named in a script that the code page lacks: the short form of
  // the path, where the volume keeps one, can be written in it.
  if (bHavePath && !ToAnsi(aPath, pPath)) {
    WCHAR aShort[MAX_PATH];
    DWORD dwLength = GetShortPathNameW(aPath, aShort, MAX_PATH);
    if (dwLength > 0 && dwLength < MAX_PATH) ToAnsi(aShort, pPath);
  }
  return hResult;
}
