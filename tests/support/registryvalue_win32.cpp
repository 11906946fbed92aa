// Windows only: removing a key tree for test clean-up.
#include "registryvalue.h"

void DeleteRegistryKey(HKEY root, const std::string& key) { SHDeleteKeyA(root, key.c_str()); }
