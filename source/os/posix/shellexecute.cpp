// POSIX only: the shell's COM start-up and ShellExecuteA. A program file is
// started detached with its argument text split as Windows splits a command
// line; any other file is handed to the desktop's opener (xdg-open, or the
// program named by EXTRACTPANEL_OPENER).
#include "platform.h"

#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <new>

#include "argumentsplit.h"
#include "faults.h"

namespace {

// The values ShellExecuteA reports, as Windows numbers them.
const INT_PTR LAUNCHED = 42;
const INT_PTR FILE_NOT_FOUND = 2;
const INT_PTR ACCESS_DENIED = 5;
const INT_PTR BAD_FORMAT = 11;
const INT_PTR NO_ASSOCIATION = 31;

int g_nComInitialisations = 0;

HINSTANCE Report(INT_PTR nValue) { return reinterpret_cast<HINSTANCE>(nValue); }

// Starts pArgv[0] in a session of its own, with no terminal and the standard
// streams on /dev/null; with bSearchPath its name is looked up in PATH.
// posix_spawn itself reports a program that cannot be started. The process
// is not waited for: the program ends soon after and init takes the child.
bool StartDetached(char* const* pArgv, bool bSearchPath)
{
  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDWR, 0);
  posix_spawn_file_actions_adddup2(&actions, 0, 1);
  posix_spawn_file_actions_adddup2(&actions, 0, 2);
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
  pid_t child;
  int nError = bSearchPath ? posix_spawnp(&child, pArgv[0], &actions, &attributes, pArgv, environ)
                           : posix_spawn(&child, pArgv[0], &actions, &attributes, pArgv, environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  return nError == 0;
}

const char* DocumentOpener()
{
  const char* pOpener = getenv("EXTRACTPANEL_OPENER");
  return pOpener && *pOpener ? pOpener : "xdg-open";
}

HINSTANCE Launch(const char* pFile, const char* pParameters)
{
  // The file name without the double quotes around it, as the shell takes
  // a quoted program path.
  std::string file = pFile;
  if (file[0] == '"') file = file.substr(1, file.find('"', 1) - 1);
  struct stat info;
  if (file.empty() || file.size() >= MAX_PATH || stat(file.c_str(), &info) != 0)
    return Report(FILE_NOT_FOUND);
  bool bProgram = S_ISREG(info.st_mode) && access(file.c_str(), X_OK) == 0;
  std::vector<std::string> arguments =
      bProgram ? SplitArguments(pParameters) : std::vector<std::string>{file};
  arguments.insert(arguments.begin(), bProgram ? file : DocumentOpener());
  std::vector<char*> argv;
  for (std::string& rArgument : arguments) argv.push_back(&rArgument[0]);
  argv.push_back(nullptr);
  if (StartDetached(argv.data(), !bProgram)) return Report(LAUNCHED);
  return Report(bProgram ? BAD_FORMAT : NO_ASSOCIATION);
}

}  // namespace

// As on Windows: S_OK the first time, S_FALSE when already initialised.
// A refused start leaves the count as it was.
HRESULT CoInitialize(LPVOID)
{
  if (FaultHit(FAULT_COM_START)) return E_OUTOFMEMORY;
  return g_nComInitialisations++ == 0 ? S_OK : S_FALSE;
}

void CoUninitialize(void)
{
  if (g_nComInitialisations > 0) --g_nComInitialisations;
}

HINSTANCE ShellExecuteA(HWND, LPCSTR, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR, int)
{
  if (FaultHit(FAULT_LAUNCH)) return Report(ACCESS_DENIED);
  try {
    return Launch(lpFile, lpParameters);
  } catch (const std::bad_alloc&) {
    return Report(0);
  }
}
