// Windows: links are read back by the shell's own link object.
#include "shelllinkread.h"

#include <windows.h>
#include <shlobj.h>

TLinkContent ReadShellLink(const std::string& path)
{
  TLinkContent link;
  bool initialized = SUCCEEDED(CoInitialize(0));
  IShellLinkA* shellLink = nullptr;
  IPersistFile* file = nullptr;
  HRESULT hr = CoCreateInstance(CLSID_ShellLink, 0, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&shellLink));
  if (SUCCEEDED(hr))
    hr = shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
  WCHAR wide[MAX_PATH];
  if (SUCCEEDED(hr) && !MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH))
    hr = E_FAIL;
  if (SUCCEEDED(hr)) hr = file->Load(wide, STGM_READ);
  if (SUCCEEDED(hr)) {
    char target[MAX_PATH] = "";
    char icon[MAX_PATH] = "";
    int index = -1;
    shellLink->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
    shellLink->GetIconLocation(icon, MAX_PATH, &index);
    link.Loaded = true;
    link.Target = target;
    link.Icon = icon;
    link.IconIndex = index;
  }
  if (file) file->Release();
  if (shellLink) shellLink->Release();
  if (initialized) CoUninitialize();
  return link;
}
