// Windows: CommandLineToArgvW on "program " + the text, program dropped.
#include "windowssplit.h"

#include <windows.h>
#include <shellapi.h>

bool SplitLikeThePlatform(const std::string& text, std::vector<std::string>& arguments)
{
  arguments.clear();
  std::wstring line = L"program.exe " + std::wstring(text.begin(), text.end());
  int count = 0;
  LPWSTR* argv = CommandLineToArgvW(line.c_str(), &count);
  if (!argv) return false;
  for (int i = 1; i < count; ++i) {
    std::wstring wide = argv[i];
    arguments.push_back(std::string(wide.begin(), wide.end()));
  }
  LocalFree(argv);
  return true;
}
