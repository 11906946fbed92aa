// Prints the target and icon location of shell links, read back through the
// shell-link object: showlink FILE.lnk...
#include <windows.h>
#include <shlobj.h>
#include <stdio.h>

static int ShowLink(const char* pFile)
{
  IShellLinkA* pLink = 0;
  IPersistFile* pFileIf = 0;
  HRESULT hr = CoCreateInstance(CLSID_ShellLink, 0, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&pLink));
  if (SUCCEEDED(hr))
    hr = pLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&pFileIf));
  WCHAR wszFile[MAX_PATH];
  if (SUCCEEDED(hr) && !MultiByteToWideChar(CP_ACP, 0, pFile, -1, wszFile, MAX_PATH)) hr = E_FAIL;
  if (SUCCEEDED(hr)) hr = pFileIf->Load(wszFile, STGM_READ);
  char szTarget[MAX_PATH] = "";
  char szIcon[MAX_PATH] = "";
  int nIcon = 0;
  if (SUCCEEDED(hr)) {
    pLink->GetPath(szTarget, MAX_PATH, 0, SLGP_RAWPATH);
    pLink->GetIconLocation(szIcon, MAX_PATH, &nIcon);
    printf("%s\n  target: %s\n  icon:   %s,%d\n", pFile, szTarget, szIcon[0] ? szIcon : "(none)",
           nIcon);
  } else {
    printf("%s\n  cannot be loaded (0x%08lx)\n", pFile, (unsigned long)hr);
  }
  if (pFileIf) pFileIf->Release();
  if (pLink) pLink->Release();
  return SUCCEEDED(hr) ? 0 : 1;
}

int main(int argc, char** argv)
{
  if (FAILED(CoInitialize(0))) return 2;
  int nStatus = 0;
  for (int i = 1; i < argc; ++i) nStatus |= ShowLink(argv[i]);
  CoUninitialize();
  return nStatus;
}
