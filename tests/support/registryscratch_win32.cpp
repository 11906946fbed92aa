// Windows: the scratch area is a key of the real registry.
#include "registryscratch.h"

#include <windows.h>

extern "C" DECLSPEC_IMPORT LONG WINAPI RegDeleteTreeA(HKEY key, LPCSTR subkey);

namespace {

int g_Counter = 0;

}  // namespace

LONG DeleteRegistryTree(HKEY key, const char* subkey) { return RegDeleteTreeA(key, subkey); }

TRegistryScratch::TRegistryScratch()
{
  m_KeyPath = "Software\\extractpanel-tests\\" + std::to_string(GetCurrentProcessId()) + "-" +
              std::to_string(GetTickCount()) + "-" + std::to_string(++g_Counter);
  DeleteRegistryTree(HKEY_CURRENT_USER, m_KeyPath.c_str());
  HKEY key = 0;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, m_KeyPath.c_str(), 0, 0, 0, KEY_ALL_ACCESS, 0, &key, 0) ==
      ERROR_SUCCESS) {
    RegCloseKey(key);
  }
}

TRegistryScratch::~TRegistryScratch()
{
  DeleteRegistryTree(HKEY_CURRENT_USER, m_KeyPath.c_str());
  // The shared parent goes too once no test uses it; with subkeys left it stays.
  RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\extractpanel-tests");
}
