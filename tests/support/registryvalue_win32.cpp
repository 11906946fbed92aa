// Windows only: the system's registry, with key trees removed for clean-up.
#include "registryvalue.h"

TRegistrySandbox::TRegistrySandbox() {}
TRegistrySandbox::~TRegistrySandbox() {}

void DeleteRegistryKey(HKEY root, const std::string& key) { SHDeleteKeyA(root, key.c_str()); }
