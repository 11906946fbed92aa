// Registry set-up and checks for the tests, straight through the registry
// functions (the real ones on Windows, the stand-ins on POSIX).
#ifndef EXTRACTPANEL_TESTS_TESTREGISTRY_H
#define EXTRACTPANEL_TESTS_TESTREGISTRY_H

#include <memory>
#include <string>

#include "platform.h"

// A null name stands for the key's default value.
bool WriteRegString(HKEY root, const std::string& key, const char* name, const std::string& value);
bool WriteRegDword(HKEY root, const std::string& key, const char* name, DWORD value);
bool WriteRegBytes(HKEY root, const std::string& key, const char* name, DWORD type, const std::string& bytes);
// False when the key or the value is absent.
bool ReadRegValue(HKEY root, const std::string& key, const char* name, DWORD& type, std::string& bytes);
// The text of a REG_SZ without its terminator; false when absent.
bool ReadRegString(HKEY root, const std::string& key, const char* name, std::string& value);
bool ReadRegDword(HKEY root, const std::string& key, const char* name, DWORD& value);
bool RegKeyExists(HKEY root, const std::string& key);
void DeleteRegTree(HKEY root, const std::string& key);

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

#endif
