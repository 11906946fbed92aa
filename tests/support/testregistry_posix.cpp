// POSIX: the stand-in registry of the test's own folder; the scratch area is a
// store folder of its own.
#include "testregistry.h"

#include <gtest/gtest.h>

#include "registrystore.h"

struct TSavedRegistryKey::TSnapshot
{};

// Straight on the store, under its lock: the stand-ins have no tree deleter,
// as the program deletes no trees.
LONG DeleteRegistryTree(HKEY key, const char* subkey)
{
  TStoreRoot eRoot = STORE_CURRENT_USER;
  if (key == HKEY_CLASSES_ROOT) eRoot = STORE_CLASSES_ROOT;
  else if (key == HKEY_LOCAL_MACHINE) eRoot = STORE_LOCAL_MACHINE;
  else if (key != HKEY_CURRENT_USER) return ERROR_INVALID_HANDLE;
  TStoreChange change(eRoot);
  if (change.Status() != ERROR_SUCCESS) return change.Status();
  TStore& store = change.Store();
  const std::string top = subkey ? subkey : "";
  if (!top.empty() && store.count(top) == 0) return ERROR_FILE_NOT_FOUND;
  const std::string folded = FoldedName(top) + "\\";
  for (auto it = store.begin(); it != store.end();) {
    bool inTree =
        top.empty() || FoldedName(it->first + "\\").compare(0, folded.size(), folded) == 0;
    it = inTree ? store.erase(it) : std::next(it);
  }
  return change.Commit();
}

TSavedRegistryKey::TSavedRegistryKey(HKEY root, const std::string& key) : m_Root(root), m_Key(key)
{}

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
