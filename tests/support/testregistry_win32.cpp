// Windows: keys of the real registry are saved whole and put back; the
// scratch area is a key of that registry.
#include "testregistry.h"

#include <vector>

#include <windows.h>

extern "C" DECLSPEC_IMPORT LONG WINAPI RegDeleteTreeA(HKEY key, LPCSTR subkey);

struct TSavedRegistryKey::TSnapshot
{
  struct TValue
  {
    std::string Name;
    DWORD Type;
    std::string Bytes;
  };
  bool Existed = false;
  std::vector<TValue> Values;
  std::vector<std::pair<std::string, std::unique_ptr<TSnapshot>>> Subkeys;
};

namespace {

int g_Counter = 0;

using TSnapshot = TSavedRegistryKey::TSnapshot;

void Take(HKEY key, TSnapshot& snapshot)
{
  snapshot.Existed = true;
  for (DWORD index = 0;; ++index) {
    char name[16384];
    DWORD nameLength = sizeof name;
    DWORD type = 0;
    DWORD size = 0;
    if (RegEnumValueA(key, index, name, &nameLength, nullptr, &type, nullptr, &size) !=
        ERROR_SUCCESS)
      break;
    TSnapshot::TValue value{std::string(name, nameLength), type, std::string(size, '\0')};
    nameLength = sizeof name;
    RegEnumValueA(key, index, name, &nameLength, nullptr, &type,
                  size ? reinterpret_cast<BYTE*>(&value.Bytes[0]) : nullptr, &size);
    value.Bytes.resize(size);
    snapshot.Values.push_back(value);
  }
  for (DWORD index = 0;; ++index) {
    char name[256];
    DWORD nameLength = sizeof name;
    if (RegEnumKeyExA(key, index, name, &nameLength, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    HKEY sub = 0;
    auto child = std::make_unique<TSnapshot>();
    if (RegOpenKeyExA(key, name, 0, KEY_READ, &sub) == ERROR_SUCCESS) {
      Take(sub, *child);
      RegCloseKey(sub);
    }
    snapshot.Subkeys.emplace_back(std::string(name, nameLength), std::move(child));
  }
}

void Put(HKEY parent, const std::string& name, const TSnapshot& snapshot)
{
  HKEY key = 0;
  if (RegCreateKeyExA(parent, name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != 0)
    return;
  for (const auto& value : snapshot.Values)
    RegSetValueExA(key, value.Name.empty() ? nullptr : value.Name.c_str(), 0, value.Type,
                   reinterpret_cast<const BYTE*>(value.Bytes.data()), (DWORD)value.Bytes.size());
  for (const auto& sub : snapshot.Subkeys) Put(key, sub.first, *sub.second);
  RegCloseKey(key);
}

}  // namespace

LONG DeleteRegistryTree(HKEY key, const char* subkey) { return RegDeleteTreeA(key, subkey); }

TSavedRegistryKey::TSavedRegistryKey(HKEY root, const std::string& key)
    : m_Root(root), m_Key(key), m_Snapshot(std::make_unique<TSnapshot>())
{
  HKEY handle = 0;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) == ERROR_SUCCESS) {
    Take(handle, *m_Snapshot);
    RegCloseKey(handle);
  }
}

TSavedRegistryKey::~TSavedRegistryKey()
{
  DeleteRegistryTree(m_Root, m_Key.c_str());
  if (m_Snapshot->Existed) Put(m_Root, m_Key, *m_Snapshot);
}

TRegistryScratch::TRegistryScratch()
{
  m_KeyPath = "Software\\extractpanel-tests\\" + std::to_string(GetCurrentProcessId()) + "-" +
              std::to_string(GetTickCount()) + "-" + std::to_string(++g_Counter);
  DeleteRegistryTree(HKEY_CURRENT_USER, m_KeyPath.c_str());
  HKEY key = 0;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, m_KeyPath.c_str(), 0, 0, 0, KEY_ALL_ACCESS, 0, &key, 0) ==
      ERROR_SUCCESS) {
    RegCloseKey(key);
  }
}

TRegistryScratch::~TRegistryScratch()
{
  DeleteRegistryTree(HKEY_CURRENT_USER, m_KeyPath.c_str());
  // The shared parent goes too once no test uses it; with subkeys left it stays.
  RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\extractpanel-tests");
}
