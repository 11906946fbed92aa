// POSIX only: removing a key tree of the registry stand-in for test clean-up.
#include "registryvalue.h"

void DeleteRegistryKey(HKEY root, const std::string& key) { RegDeleteTreeA(root, key.c_str()); }
