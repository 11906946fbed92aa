// Windows: the special folders through the shell's item lists.
#include "specialfolder.h"

#include "ansipath.h"

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
  // A profile named in a script that the code page lacks is written in
  // its short form, where the volume keeps one.
  if (bHavePath) WidePathToAnsi(aPath, pPath, MAX_PATH);
  return hResult;
}
