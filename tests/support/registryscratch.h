// A registry area of a test's own, removed when the test ends.
//
// Windows: a fresh key under HKEY_CURRENT_USER\Software\extractpanel-tests,
// deleted with its subkeys afterwards. POSIX: a fresh store folder, which
// EXTRACTPANEL_REGISTRY_DIR names while the object lives, holding the same
// key; the folder goes afterwards and the variable gets its old value back.
#ifndef EXTRACTPANEL_TESTS_REGISTRYSCRATCH_H
#define EXTRACTPANEL_TESTS_REGISTRYSCRATCH_H

#include <memory>
#include <string>

#include "platform.h"
#include "scopedenv.h"
#include "tempfolder.h"

// A key with its subkeys, or with a null or empty subkey the key's values
// and subkeys; 0 or ERROR_FILE_NOT_FOUND. Windows: RegDeleteTreeA, which its
// headers declare only for the versions after the one the program targets.
// POSIX: straight on the store, and key must be a root.
LONG DeleteRegistryTree(HKEY key, const char* subkey);

class TRegistryScratch
{
public:
  TRegistryScratch();
  ~TRegistryScratch();
  TRegistryScratch(const TRegistryScratch&) = delete;
  TRegistryScratch& operator=(const TRegistryScratch&) = delete;

  // The scratch key's path under HKEY_CURRENT_USER; it exists and is empty.
  const std::string& KeyPath() const { return m_KeyPath; }
  // POSIX: the store folder. Windows: empty.
  const std::string& StoreFolder() const { return m_StoreFolder; }

private:
  std::string m_KeyPath;
  std::unique_ptr<TTempFolder> m_Folder;  // POSIX only
  std::string m_StoreFolder;
  std::unique_ptr<TScopedEnvironment> m_Variable;  // POSIX only
};

#endif
