// Windows: starting a child with CreateProcessA and waiting for its exit code.
#include "process.h"

#include <windows.h>

#include <cstring>

#include "filecontent.h"
#include "tempfolder.h"

namespace {

bool SameNameNoCase(const std::string& left, const std::string& right)
{
  return lstrcmpiA(left.c_str(), right.c_str()) == 0;
}

// The environment block: NUL-terminated "name=value" texts, then one more NUL.
std::string EnvironmentBlock(const TProcessOptions& options)
{
  std::string block;
  char* strings = GetEnvironmentStringsA();
  for (const char* entry = strings; entry && *entry; entry += std::strlen(entry) + 1) {
    std::string text = entry;
    // Entries such as "=C:=C:\\" start with '=': keep them as they are.
    size_t equal = text.find('=', 1);
    std::string name = text.substr(0, equal);
    bool replaced = false;
    for (const auto& added : options.Environment)
      replaced = replaced || SameNameNoCase(added.first, name);
    if (!replaced) block.append(text).push_back('\0');
  }
  if (strings) FreeEnvironmentStringsA(strings);
  for (const auto& added : options.Environment)
    block.append(added.first + "=" + added.second).push_back('\0');
  block.push_back('\0');
  return block;
}

// Quoting undone by CommandLineToArgvW and the C runtime.
std::string QuoteArgument(const std::string& argument)
{
  if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string::npos)
    return argument;
  std::string result = "\"";
  size_t backslashes = 0;
  for (char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    if (c == '"') result.append(backslashes * 2 + 1, '\\');
    else result.append(backslashes, '\\');
    backslashes = 0;
    result.push_back(c);
  }
  result.append(backslashes * 2, '\\');
  result.push_back('"');
  return result;
}

HANDLE OpenInherited(const std::string& path, DWORD access, DWORD disposition)
{
  SECURITY_ATTRIBUTES attributes = {sizeof attributes, nullptr, TRUE};
  return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &attributes,
                     disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

std::string BuildFolder()
{
  char path[MAX_PATH * 4];
  DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  if (length == 0 || length >= sizeof path) return ".";
  std::string text(path, length);
  size_t slash = text.find_last_of("\\/");
  return slash == std::string::npos ? "." : text.substr(0, slash);
}

std::string BuildProgram(const std::string& name) { return BuildFolder() + "\\" + name + ".exe"; }

TProcessResult StartAndWaitCommandLine(const std::string& programPath,
                                       const std::string& commandLine,
                                       const TProcessOptions& options)
{
  TProcessResult result;
  TTempFolder io;
  std::string inputPath = io.File("input");
  std::string outputPath = io.File("output");
  if (io.Path().empty() || !WriteWholeFile(inputPath, options.Input)) return result;

  HANDLE input = OpenInherited(inputPath, GENERIC_READ, OPEN_EXISTING);
  HANDLE output = OpenInherited(outputPath, GENERIC_WRITE, CREATE_ALWAYS);
  if (input == INVALID_HANDLE_VALUE || output == INVALID_HANDLE_VALUE) {
    if (input != INVALID_HANDLE_VALUE) CloseHandle(input);
    if (output != INVALID_HANDLE_VALUE) CloseHandle(output);
    return result;
  }

  std::string line = "\"" + programPath + "\"";
  if (!commandLine.empty()) line += " " + commandLine;
  std::string environment = EnvironmentBlock(options);

  STARTUPINFOA startup;
  std::memset(&startup, 0, sizeof startup);
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input;
  startup.hStdOutput = output;
  startup.hStdError = output;
  PROCESS_INFORMATION process;
  std::memset(&process, 0, sizeof process);
  BOOL started = CreateProcessA(
      programPath.c_str(), &line[0], nullptr, nullptr, TRUE, 0, &environment[0],
      options.WorkingFolder.empty() ? nullptr : options.WorkingFolder.c_str(), &startup, &process);
  CloseHandle(input);
  CloseHandle(output);
  if (!started) return result;
  result.Started = true;
  CloseHandle(process.hThread);

  if (WaitForSingleObject(process.hProcess, options.TimeoutMs) == WAIT_OBJECT_0) {
    DWORD code = 0;
    if (GetExitCodeProcess(process.hProcess, &code)) result.ExitStatus = static_cast<int>(code);
  } else {
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, 10000);
    result.TimedOut = true;
    result.ExitStatus = -1;
  }
  CloseHandle(process.hProcess);
  ReadWholeFile(outputPath, result.Output);
  return result;
}

TProcessResult StartAndWait(const std::string& programPath,
                            const std::vector<std::string>& arguments,
                            const TProcessOptions& options)
{
  std::string line;
  for (const auto& argument : arguments) {
    if (!line.empty()) line += ' ';
    line += QuoteArgument(argument);
  }
  return StartAndWaitCommandLine(programPath, line, options);
}
