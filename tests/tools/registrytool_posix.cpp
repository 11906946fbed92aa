// POSIX: a second process on the registry store, for the store's tests. The
// store folder comes from the environment, as for the program. Keys lie under
// HKEY_CURRENT_USER; values are REG_BINARY.
//   fill KEY PREFIX COUNT      writes PREFIX0 .. PREFIX<COUNT-1>, each holding its own name
//   churn KEY NAME COUNT SIZE  writes SIZE a's, then SIZE b's, and so on, COUNT times
// Exits with 0 when every call succeeded.
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform.h"

namespace {

bool Set(const char* keyPath, const std::string& name, const std::string& data)
{
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, keyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != 0) {
    return false;
  }
  LONG result =
      RegSetValueExA(key, name.c_str(), 0, REG_BINARY, reinterpret_cast<const BYTE*>(data.data()),
                     static_cast<DWORD>(data.size()));
  RegCloseKey(key);
  return result == 0;
}

}  // namespace

int main(int argc, char** argv)
{
  if (argc < 5) return 100;
  std::string command = argv[1];
  const char* key = argv[2];
  int count = std::atoi(argv[4]);
  for (int i = 0; i < count; ++i) {
    bool done = false;
    if (command == "fill")
      done = Set(key, argv[3] + std::to_string(i), argv[3] + std::to_string(i));
    if (command == "churn" && argc > 5)
      done = Set(key, argv[3], std::string(std::atoi(argv[5]), i % 2 ? 'b' : 'a'));
    if (!done) return 1;
  }
  return 0;
}
