// Windows only: the DLL search of the process and its critical-error mode.
#include "dllsearch.h"

#include <string.h>

#include "platform.h"

namespace {

typedef BOOL(WINAPI* TSetDefaultDllDirectories)(DWORD);
typedef BOOL(WINAPI* TSetDllDirectoryA)(LPCSTR);

// Both calls are looked up, never imported: Windows XP before SP1 has
// neither, and one missing import would stop the program from starting.
FARPROC KernelFunction(const char* pName)
{
  return GetProcAddress(GetModuleHandleA("kernel32"), pName);
}

// What the shell, the folder browser, the themed dialog and COM load by
// bare name, preloaded by full path where the search cannot be restricted:
// the list the NSIS installer preloads for the same reason (NSIS bug #1125,
// with NTMARTA since r6984). Without an extension LoadLibrary adds ".dll".
const char PRELOAD_NAMES[] =
    "uxtheme\0userenv\0setupapi\0apphelp\0propsys\0dwmapi\0cryptbase\0oleacc\0clbcatq\0ntmarta\0";

bool RestrictToSystemFolder()
{
  TSetDefaultDllDirectories pSet =
      (TSetDefaultDllDirectories)(void*)KernelFunction("SetDefaultDllDirectories");
  // Not on Vista (6.0): with the update that adds the call there, the shell
  // link object is reported to fail to load once the search is restricted,
  // and mode 2 makes shortcuts.
  return pSet != 0 && LOWORD(GetVersion()) != 0x0006 && pSet(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

void PreloadFromSystemFolder()
{
  char aPath[MAX_PATH];
  UINT nFolder = GetSystemDirectoryA(aPath, MAX_PATH);
  // Room for a backslash and the longest name with ".dll".
  if (nFolder == 0 || nFolder > MAX_PATH - 16) return;
  aPath[nFolder++] = '\\';
  for (const char* pName = PRELOAD_NAMES; *pName;) {
    size_t nName = strlen(pName) + 1;
    memcpy(aPath + nFolder, pName, nName);
    LoadLibraryA(aPath);
    pName += nName;
  }
}

}  // namespace

void HardenDllSearch()
{
  SetErrorMode(SetErrorMode(0) | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  if (RestrictToSystemFolder()) return;
  // No current folder in the search, and the known names taken by full path.
  TSetDllDirectoryA pSetDirectory = (TSetDllDirectoryA)(void*)KernelFunction("SetDllDirectoryA");
  if (pSetDirectory) pSetDirectory("");
  PreloadFromSystemFolder();
}
