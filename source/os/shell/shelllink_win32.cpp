// Windows: links are made and saved by the shell's own link object.
#include "shelllink.h"

HRESULT SaveShellLink(const char* pFile, const char* pTarget, const char* pIcon)
{
  IShellLinkA* pLink = 0;
  HRESULT hResult = CoCreateInstance(CLSID_ShellLink, 0, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                     reinterpret_cast<void**>(&pLink));
  if (FAILED(hResult)) return hResult;
  IPersistFile* pPersist = 0;
  hResult = pLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&pPersist));
  if (FAILED(hResult)) {
    pLink->Release();
    return hResult;
  }
  // A failed SetPath or SetIconLocation still leaves a link worth saving.
  pLink->SetPath(pTarget);
  if (*pIcon != 0) pLink->SetIconLocation(pIcon, 0);
  WCHAR aWideFile[MAX_PATH];
  if (MultiByteToWideChar(CP_ACP, 0, pFile, -1, aWideFile, MAX_PATH) == 0) aWideFile[0] = 0;
  hResult = aWideFile[0] ? pPersist->Save(aWideFile, TRUE) : E_INVALIDARG;
  pPersist->Release();
  pLink->Release();
  return hResult;
}
