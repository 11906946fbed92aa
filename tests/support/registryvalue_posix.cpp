// POSIX only: a store folder of the test's own for the registry stand-in,
// and key trees removed for clean-up.
#include "registryvalue.h"

#include <stdlib.h>

namespace {

const char STORE_VARIABLE[] = "EXTRACTPANEL_REGISTRY_DIR";

}  // namespace

TRegistrySandbox::TRegistrySandbox() : m_Folder(new TTempFolder)
{
  const char* previous = getenv(STORE_VARIABLE);
  m_HadSetting = previous != nullptr;
  if (previous) m_Setting = previous;
  setenv(STORE_VARIABLE, m_Folder->MakeFolder("registry").c_str(), 1);
}

TRegistrySandbox::~TRegistrySandbox()
{
  if (m_HadSetting) setenv(STORE_VARIABLE, m_Setting.c_str(), 1);
  else unsetenv(STORE_VARIABLE);
}

void DeleteRegistryKey(HKEY root, const std::string& key) { RegDeleteTreeA(root, key.c_str()); }
