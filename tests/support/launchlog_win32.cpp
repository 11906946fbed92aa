// Windows: the record is the command line in UTF-8; it is split as the C
// runtime and CommandLineToArgvW split it, and given back in the ANSI code
// page, as the program under test wrote it.
#include "launchlog.h"

#include <windows.h>
#include <shellapi.h>

namespace {

std::wstring Wide(const std::string& utf8)
{
  int size = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
  std::wstring out(size > 0 ? size - 1 : 0, L'\0');
  if (size > 1) MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, &out[0], size);
  return out;
}

std::string Narrow(const wchar_t* text)
{
  int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string out(size > 0 ? size - 1 : 0, '\0');
  if (size > 1) WideCharToMultiByte(CP_ACP, 0, text, -1, &out[0], size, nullptr, nullptr);
  return out;
}

// The text after the program part: its quoted or unquoted first word and the
// blanks after it.
std::wstring AfterProgram(const std::wstring& line)
{
  size_t at = 0;
  if (!line.empty() && line[0] == L'"') {
    size_t close = line.find(L'"', 1);
    at = close == std::wstring::npos ? line.size() : close + 1;
  } else {
    at = line.find_first_of(L" \t");
    if (at == std::wstring::npos) at = line.size();
  }
  while (at < line.size() && (line[at] == L' ' || line[at] == L'\t')) ++at;
  return line.substr(at);
}

}  // namespace

TLaunch ParseLaunchRecord(const std::string& record)
{
  TLaunch launch;
  // No record, no launch: CommandLineToArgvW would name this very program.
  if (record.empty()) return launch;
  std::wstring wide = Wide(record.substr(0, record.find("\r\n")));
  launch.RawArguments = Narrow(AfterProgram(wide).c_str());
  int count = 0;
  LPWSTR* argv = CommandLineToArgvW(wide.c_str(), &count);
  if (!argv) return launch;
  for (int i = 0; i < count; ++i) {
    if (i == 0) launch.Program = Narrow(argv[i]);
    else launch.Arguments.push_back(Narrow(argv[i]));
  }
  LocalFree(argv);
  return launch;
}
