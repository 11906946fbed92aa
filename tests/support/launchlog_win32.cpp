// Windows: the record is the command line; it is split as the C runtime and
// CommandLineToArgvW split it.
#include "launchlog.h"

#include <windows.h>
#include <shellapi.h>

namespace {

std::string Narrow(const wchar_t* text)
{
  int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string out(size > 0 ? size - 1 : 0, '\0');
  if (size > 1) WideCharToMultiByte(CP_ACP, 0, text, -1, &out[0], size, nullptr, nullptr);
  return out;
}

// The text after the program part: its quoted or unquoted first word and the
// blanks after it.
std::string AfterProgram(const std::string& line)
{
  size_t at = 0;
  if (!line.empty() && line[0] == '"') {
    size_t close = line.find('"', 1);
    at = close == std::string::npos ? line.size() : close + 1;
  } else {
    at = line.find_first_of(" \t");
    if (at == std::string::npos) at = line.size();
  }
  while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
  return line.substr(at);
}

}  // namespace

TLaunch ParseLaunchRecord(const std::string& record)
{
  TLaunch launch;
  // No record, no launch: CommandLineToArgvW would name this very program.
  if (record.empty()) return launch;
  std::string line = record.substr(0, record.find("\r\n"));
  launch.RawArguments = AfterProgram(line);
  int size = MultiByteToWideChar(CP_ACP, 0, line.c_str(), -1, nullptr, 0);
  std::wstring wide(size, L'\0');
  MultiByteToWideChar(CP_ACP, 0, line.c_str(), -1, &wide[0], size);
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
