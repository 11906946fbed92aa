// Registry reads and clean-up for tests, straight through the registry
// calls (never through the program's own key class).
#ifndef EXTRACTPANEL_TESTS_REGISTRYVALUE_H
#define EXTRACTPANEL_TESTS_REGISTRYVALUE_H

#include <memory>
#include <string>

#include "platform.h"
#include "tempfolder.h"

// A registry of the test's own while the object lives. POSIX: the registry
// stand-in keeps its store in a fresh folder (the programs a test starts
// meanwhile inherit it); the setting before is put back afterwards.
// Windows: the registry is the system's (under Wine, the prefix's), so
// nothing changes and tests keep to keys of their own.
class TRegistrySandbox
{
public:
  TRegistrySandbox();
  ~TRegistrySandbox();
  TRegistrySandbox(const TRegistrySandbox&) = delete;
  TRegistrySandbox& operator=(const TRegistrySandbox&) = delete;

private:
  std::unique_ptr<TTempFolder> m_Folder;
  bool m_HadSetting = false;
  std::string m_Setting;
};

struct TRegistryValue
{
  LONG Result = ERROR_FILE_NOT_FOUND;  // of opening the key, else of the read
  DWORD Type = REG_NONE;
  std::string Bytes;                   // exactly as stored
};

TRegistryValue ReadRegistryValue(HKEY root, const std::string& key, const char* name);
bool RegistryKeyExists(HKEY root, const std::string& key);
// Writes raw bytes of any type into the value, creating the key.
bool WriteRegistryValue(HKEY root, const std::string& key, const char* name, DWORD type,
                        const std::string& bytes);
// Removes the key with everything below it; an absent key is no error.
void DeleteRegistryKey(HKEY root, const std::string& key);

// A key name no other test or run uses: letters and digits only, so that it
// can stand unquoted on a command line.
std::string UniqueRegistryName(const std::string& prefix);

#endif
