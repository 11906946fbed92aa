// POSIX: the stand-in registry of the test's own folder; the scratch area is a
// store folder of its own.
#include "testregistry.h"

#include <gtest/gtest.h>

struct TSavedRegistryKey::TSnapshot {};

LONG DeleteRegistryTree(HKEY key, const char* subkey) { return RegDeleteTreeA(key, subkey); }

TSavedRegistryKey::TSavedRegistryKey(HKEY root, const std::string& key) : m_Root(root), m_Key(key) {}

TSavedRegistryKey::~TSavedRegistryKey() { DeleteRegistryTree(m_Root, m_Key.c_str()); }

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
