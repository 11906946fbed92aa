#include "testregistry.h"

#include <atomic>
#include <chrono>
#include <random>

namespace {

bool SetValue(HKEY root, const std::string& key, const char* name, DWORD type, const void* data,
              DWORD size)
{
  HKEY handle = 0;
  if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle,
                      nullptr) != 0)
    return false;
  LONG result = RegSetValueExA(handle, name, 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(handle);
  return result == 0;
}

}  // namespace

bool WriteRegString(HKEY root, const std::string& key, const char* name, const std::string& value)
{
  return SetValue(root, key, name, REG_SZ, value.c_str(), (DWORD)value.size() + 1);
}

bool WriteRegDword(HKEY root, const std::string& key, const char* name, DWORD value)
{
  unsigned char bytes[4] = {(unsigned char)value, (unsigned char)(value >> 8),
                            (unsigned char)(value >> 16), (unsigned char)(value >> 24)};
  return SetValue(root, key, name, REG_DWORD, bytes, 4);
}

bool WriteRegBytes(HKEY root, const std::string& key, const char* name, DWORD type,
                   const std::string& bytes)
{
  return SetValue(root, key, name, type, bytes.data(), (DWORD)bytes.size());
}

TRegistryValue ReadRegistryValue(HKEY root, const std::string& key, const char* name)
{
  TRegistryValue value;
  HKEY handle = 0;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != 0) return value;
  DWORD size = 0;
  LONG result = RegQueryValueExA(handle, name, nullptr, &value.Type, nullptr, &size);
  if (result == 0) {
    value.Bytes.assign(size, '\0');
    result = RegQueryValueExA(handle, name, nullptr, &value.Type,
                              size ? reinterpret_cast<BYTE*>(&value.Bytes[0]) : nullptr, &size);
    value.Bytes.resize(size);
  }
  RegCloseKey(handle);
  value.Found = result == 0;
  return value;
}

bool ReadRegString(HKEY root, const std::string& key, const char* name, std::string& value)
{
  TRegistryValue found = ReadRegistryValue(root, key, name);
  if (!found.Found || found.Type != REG_SZ) return false;
  value = found.Bytes.substr(0, found.Bytes.find('\0'));
  return true;
}

bool ReadRegDword(HKEY root, const std::string& key, const char* name, DWORD& value)
{
  TRegistryValue found = ReadRegistryValue(root, key, name);
  if (!found.Found || found.Bytes.size() != 4) return false;
  value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | (unsigned char)found.Bytes[i];
  return true;
}

bool RegKeyExists(HKEY root, const std::string& key)
{
  HKEY handle = 0;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != 0) return false;
  RegCloseKey(handle);
  return true;
}

std::string UniqueRegistryName(const std::string& prefix)
{
  static std::atomic<unsigned> counter{0};
  static const unsigned long long seed =
      static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
      std::random_device{}();
  return prefix + std::to_string(seed % 1000000007ull) + "x" + std::to_string(++counter);
}

std::string DwordBytes(DWORD value)
{
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  return bytes;
}
