#include "testregistry.h"

namespace {

bool SetValue(HKEY root, const std::string& key, const char* name, DWORD type, const void* data, DWORD size)
{
  HKEY handle = 0;
  if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr) != 0)
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
  unsigned char bytes[4] = {(unsigned char)value, (unsigned char)(value >> 8), (unsigned char)(value >> 16),
                            (unsigned char)(value >> 24)};
  return SetValue(root, key, name, REG_DWORD, bytes, 4);
}

bool WriteRegBytes(HKEY root, const std::string& key, const char* name, DWORD type, const std::string& bytes)
{
  return SetValue(root, key, name, type, bytes.data(), (DWORD)bytes.size());
}

bool ReadRegValue(HKEY root, const std::string& key, const char* name, DWORD& type, std::string& bytes)
{
  HKEY handle = 0;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != 0) return false;
  DWORD size = 0;
  LONG result = RegQueryValueExA(handle, name, nullptr, &type, nullptr, &size);
  if (result == 0) {
    bytes.assign(size, '\0');
    result = RegQueryValueExA(handle, name, nullptr, &type, size ? reinterpret_cast<BYTE*>(&bytes[0]) : nullptr,
                              &size);
    bytes.resize(size);
  }
  RegCloseKey(handle);
  return result == 0;
}

bool ReadRegString(HKEY root, const std::string& key, const char* name, std::string& value)
{
  DWORD type = 0;
  std::string bytes;
  if (!ReadRegValue(root, key, name, type, bytes) || type != REG_SZ) return false;
  value = bytes.substr(0, bytes.find('\0'));
  return true;
}

bool ReadRegDword(HKEY root, const std::string& key, const char* name, DWORD& value)
{
  DWORD type = 0;
  std::string bytes;
  if (!ReadRegValue(root, key, name, type, bytes) || bytes.size() != 4) return false;
  value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | (unsigned char)bytes[i];
  return true;
}

bool RegKeyExists(HKEY root, const std::string& key)
{
  HKEY handle = 0;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != 0) return false;
  RegCloseKey(handle);
  return true;
}
