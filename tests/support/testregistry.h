// Registry set-up and checks for the tests, straight through the registry
// functions (the real ones on Windows, the stand-ins on POSIX).
#ifndef EXTRACTPANEL_TESTS_TESTREGISTRY_H
#define EXTRACTPANEL_TESTS_TESTREGISTRY_H

#include <memory>
#include <string>

#include "platform.h"
#include "scopedenv.h"
#include "tempfolder.h"

// A null name stands for the key's default value.
bool WriteRegString(HKEY root, const std::string& key, const char* name, const std::string& value);
bool WriteRegDword(HKEY root, const std::string& key, const char* name, DWORD value);
bool WriteRegBytes(HKEY root, const std::string& key, const char* name, DWORD type,
                   const std::string& bytes);

// A registry value as the tests look at it.
struct TRegistryValue
{
  bool Found = false;  // false when the key or the value is absent
  DWORD Type = REG_NONE;
  std::string Bytes;  // exactly as stored
};

TRegistryValue ReadRegistryValue(HKEY root, const std::string& key, const char* name);
// The text of a REG_SZ without its terminator; false when absent.
bool ReadRegString(HKEY root, const std::string& key, const char* name, std::string& value);
bool ReadRegDword(HKEY root, const std::string& key, const char* name, DWORD& value);
bool RegKeyExists(HKEY root, const std::string& key);

// A key with its subkeys, or with a null or empty subkey the key's values
// and subkeys; 0 or ERROR_FILE_NOT_FOUND. Windows: RegDeleteTreeA, which its
// headers declare only for the versions after the one the program targets.
// POSIX: straight on the store, and key must be a root.
LONG DeleteRegistryTree(HKEY key, const char* subkey);

// A key name no other test or run uses: letters and digits only, so that it
// can stand unquoted on a command line.
std::string UniqueRegistryName(const std::string& prefix);

// The key that holds the books' records, spelled out here rather than taken
// from the program, so that a change of the program's path shows.
inline const std::string REFERRALS = "Software\\Ostrel\\UserData\\Referrals";
// A REG_DWORD's four bytes as the registry keeps them.
std::string DwordBytes(DWORD value);

// Keeps a key with all it holds and puts it back, exactly, when the object
// goes; meanwhile the test may change or delete it. On POSIX every test has
// a registry of its own that starts empty: there the key is only removed.
class TSavedRegistryKey
{
public:
  TSavedRegistryKey(HKEY root, const std::string& key);
  ~TSavedRegistryKey();
  TSavedRegistryKey(const TSavedRegistryKey&) = delete;
  TSavedRegistryKey& operator=(const TSavedRegistryKey&) = delete;

  struct TSnapshot;

private:
  HKEY m_Root;
  std::string m_Key;
  std::unique_ptr<TSnapshot> m_Snapshot;
};

// A registry area of a test's own, removed when the test ends.
//
// Windows: a fresh key under HKEY_CURRENT_USER\Software\extractpanel-tests,
// deleted with its subkeys afterwards. POSIX: a fresh store folder, which
// EXTRACTPANEL_REGISTRY_DIR names while the object lives, holding the same
// key; the folder goes afterwards and the variable gets its old value back.
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
