#include "registryvalue.h"

#include <atomic>
#include <chrono>
#include <random>

#include "testregistry.h"

TRegistryValue ReadRegistryValue(HKEY root, const std::string& key, const char* name)
{
  TRegistryValue value;
  value.Found = ReadRegValue(root, key, name, value.Type, value.Bytes);
  return value;
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

std::string DwordBytes(DWORD value)
{
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  return bytes;
}
