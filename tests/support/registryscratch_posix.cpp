// POSIX: the scratch area is a store folder of its own.
#include "registryscratch.h"

#include <gtest/gtest.h>

LONG DeleteRegistryTree(HKEY key, const char* subkey) { return RegDeleteTreeA(key, subkey); }

TRegistryScratch::TRegistryScratch() : m_Folder(new TTempFolder)
{
  m_StoreFolder = m_Folder->Path();
  if (m_StoreFolder.empty()) {
    // Never the user's own store: a folder below a device cannot be made.
    ADD_FAILURE() << "no temporary folder for the registry store";
    m_StoreFolder = "/dev/null/registry";
  }
  m_Variable.reset(new TScopedEnvironment("EXTRACTPANEL_REGISTRY_DIR", m_StoreFolder));
  m_KeyPath = "Software\\extractpanel-tests\\scratch";
  HKEY key = 0;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, m_KeyPath.c_str(), 0, 0, 0, KEY_ALL_ACCESS, 0, &key, 0) ==
      ERROR_SUCCESS) {
    RegCloseKey(key);
  }
}

TRegistryScratch::~TRegistryScratch() {}
