#include "registryvalue.h"

#include <atomic>
#include <chrono>
#include <random>

TRegistryValue ReadRegistryValue(HKEY root, const std::string& key, const char* name)
{
  TRegistryValue value;
  HKEY hKey = 0;
  value.Result = RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &hKey);
  if (value.Result != ERROR_SUCCESS) return value;
  DWORD size = 0;
  value.Result = RegQueryValueExA(hKey, name, 0, &value.Type, 0, &size);
  if (value.Result == ERROR_SUCCESS) {
    value.Bytes.assign(size, '\0');
    value.Result = RegQueryValueExA(hKey, name, 0, &value.Type,
                                    reinterpret_cast<BYTE*>(&value.Bytes[0]), &size);
    value.Bytes.resize(size);
  }
  RegCloseKey(hKey);
  return value;
}

bool RegistryKeyExists(HKEY root, const std::string& key)
{
  HKEY hKey = 0;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS) return false;
  RegCloseKey(hKey);
  return true;
}

bool WriteRegistryValue(HKEY root, const std::string& key, const char* name, DWORD type,
                        const std::string& bytes)
{
  HKEY hKey = 0;
  if (RegCreateKeyExA(root, key.c_str(), 0, 0, 0, KEY_READ | KEY_WRITE, 0, &hKey, 0) !=
      ERROR_SUCCESS)
    return false;
  LONG result = RegSetValueExA(hKey, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                               static_cast<DWORD>(bytes.size()));
  RegCloseKey(hKey);
  return result == ERROR_SUCCESS;
}

std::string UniqueRegistryName(const std::string& prefix)
{
  static std::atomic<unsigned> counter{0};
  static const unsigned long long seed =
      static_cast<unsigned long long>(
          std::chrono::steady_clock::now().time_since_epoch().count()) ^
      std::random_device{}();
  return prefix + std::to_string(seed % 1000000007ull) + "x" + std::to_string(++counter);
}
