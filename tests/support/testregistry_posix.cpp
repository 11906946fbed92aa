// POSIX: the stand-in registry of the test's own folder.
#include "testregistry.h"

#include "registryscratch.h"

struct TSavedRegistryKey::TSnapshot {};

void DeleteRegTree(HKEY root, const std::string& key) { DeleteRegistryTree(root, key.c_str()); }

TSavedRegistryKey::TSavedRegistryKey(HKEY root, const std::string& key) : m_Root(root), m_Key(key) {}

TSavedRegistryKey::~TSavedRegistryKey() { DeleteRegTree(m_Root, m_Key); }
