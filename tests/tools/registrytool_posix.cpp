// POSIX: a second process on the registry store, for the store's tests. The
// store folder comes from the environment, as for the program. Keys are
// under HKEY_CURRENT_USER; values are REG_BINARY of the bytes given.
//   set KEY NAME DATA          writes one value
//   get KEY NAME               prints the value's bytes, or <code N>
//   fill KEY PREFIX COUNT      writes PREFIX0 .. PREFIX<COUNT-1>, each holding its name
//   churn KEY NAME COUNT SIZE  writes SIZE a's, SIZE b's, ... COUNT times
// Exits with 0 when every call succeeded.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform.h"

namespace {

LONG Set(const char* keyPath, const std::string& name, const std::string& data)
{
  HKEY key = nullptr;
  LONG result = RegCreateKeyExA(HKEY_CURRENT_USER, keyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                &key, nullptr);
  if (result != ERROR_SUCCESS) return result;
  result = RegSetValueExA(key, name.c_str(), 0, REG_BINARY,
                          reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size()));
  RegCloseKey(key);
  return result;
}

int Get(const char* keyPath, const char* name)
{
  HKEY key = nullptr;
  LONG result = RegOpenKeyExA(HKEY_CURRENT_USER, keyPath, 0, KEY_READ, &key);
  DWORD size = 0;
  if (result == ERROR_SUCCESS) result = RegQueryValueExA(key, name, nullptr, nullptr, nullptr, &size);
  std::string data(size, '\0');
  if (result == ERROR_SUCCESS) {
    result = RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&data[0]), &size);
  }
  if (key) RegCloseKey(key);
  if (result != ERROR_SUCCESS) {
    std::printf("<code %d>", static_cast<int>(result));
    return 1;
  }
  std::fwrite(data.data(), 1, size, stdout);
  return 0;
}

}  // namespace

int main(int argc, char** argv)
{
  if (argc < 4) return 100;
  const char* command = argv[1];
  const char* key = argv[2];
  if (std::strcmp(command, "set") == 0 && argc == 5) return Set(key, argv[3], argv[4]) ? 1 : 0;
  if (std::strcmp(command, "get") == 0) return Get(key, argv[3]);
  if (std::strcmp(command, "fill") == 0 && argc == 5) {
    for (int i = 0; i < std::atoi(argv[4]); ++i) {
      std::string name = argv[3] + std::to_string(i);
      if (Set(key, name, name) != ERROR_SUCCESS) return 1;
    }
    return 0;
  }
  if (std::strcmp(command, "churn") == 0 && argc == 6) {
    for (int i = 0; i < std::atoi(argv[4]); ++i) {
      std::string data(static_cast<size_t>(std::atoi(argv[5])), i % 2 ? 'b' : 'a');
      if (Set(key, argv[3], data) != ERROR_SUCCESS) return 1;
    }
    return 0;
  }
  return 100;
}
