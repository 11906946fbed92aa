// POSIX only: the shell's COM start-up and ShellExecuteA. A program file is
// started detached with its argument text split as Windows splits a command
// line; any other file is handed to the desktop's opener (xdg-open, or the
// program named by EXTRACTPANEL_OPENER).
#include "platform.h"

#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
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

HINSTANCE Report(INT_PTR nValue, DWORD dwError)
{
  if (dwError != 0) SetLastError(dwError);
  return reinterpret_cast<HINSTANCE>(nValue);
}

void WriteErrno(int nPipe)
{
  int nError = errno;
  ssize_t nIgnored = write(nPipe, &nError, sizeof nError);
  (void)nIgnored;
}

// Runs in the forked child: a session of its own, no terminal, standard
// streams on /dev/null; tells a failed exec through the pipe.
[[noreturn]] void ExecDetached(const char* pProgram, char* const* pArgv, bool bSearchPath,
                               const char* pDirectory, int nPipe)
{
  setsid();
  pid_t grandchild = fork();
  if (grandchild != 0) {
    if (grandchild < 0) WriteErrno(nPipe);
    _exit(0);
  }
  int nNull = open("/dev/null", O_RDWR);
  if (nNull >= 0) {
    for (int nStream = 0; nStream < 3; ++nStream) dup2(nNull, nStream);
    if (nNull > 2) close(nNull);
  }
  if (pDirectory == nullptr || *pDirectory == 0 || chdir(pDirectory) == 0) {
    if (bSearchPath) execvp(pProgram, pArgv);
    else execv(pProgram, pArgv);
  }
  WriteErrno(nPipe);
  _exit(127);
}

// The launched process is not waited for. True when the exec succeeded,
// which the child tells through a close-on-exec pipe.
bool StartDetached(const char* pProgram, char* const* pArgv, bool bSearchPath, const char* pDirectory)
{
  int aPipe[2];
  if (pipe2(aPipe, O_CLOEXEC) != 0) return false;
  pid_t child = fork();
  if (child == 0) {
    close(aPipe[0]);
    ExecDetached(pProgram, pArgv, bSearchPath, pDirectory, aPipe[1]);
  }
  close(aPipe[1]);
  if (child < 0) {
    close(aPipe[0]);
    return false;
  }
  while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {}
  int nError = 0;
  ssize_t nRead;
  do nRead = read(aPipe[0], &nError, sizeof nError);
  while (nRead < 0 && errno == EINTR);
  close(aPipe[0]);
  return nRead == 0;
}

HINSTANCE StartProgram(const std::string& rProgram, const char* pParameters, const char* pDirectory)
{
  std::vector<std::string> arguments = SplitArguments(pParameters);
  arguments.insert(arguments.begin(), rProgram);
  std::vector<char*> argv;
  for (std::string& rArgument : arguments) argv.push_back(&rArgument[0]);
  argv.push_back(nullptr);
  if (StartDetached(rProgram.c_str(), argv.data(), false, pDirectory)) return Report(LAUNCHED, 0);
  return Report(BAD_FORMAT, ERROR_BAD_FORMAT);
}

HINSTANCE OpenDocument(const std::string& rFile, const char* pDirectory)
{
  const char* pOpener = getenv("EXTRACTPANEL_OPENER");
  if (pOpener == nullptr || *pOpener == 0) pOpener = "xdg-open";
  char* aArgv[3] = {const_cast<char*>(pOpener), const_cast<char*>(rFile.c_str()), nullptr};
  if (StartDetached(pOpener, aArgv, true, pDirectory)) return Report(LAUNCHED, 0);
  return Report(NO_ASSOCIATION, ERROR_NO_ASSOCIATION);
}

HINSTANCE Launch(const char* pFile, const char* pParameters, const char* pDirectory)
{
  // The file name without the double quotes around it, as the shell takes
  // a quoted program path.
  std::string file = pFile;
  if (file[0] == '"') file = file.substr(1, file.find('"', 1) - 1);
  struct stat info;
  if (file.empty() || file.size() >= MAX_PATH || stat(file.c_str(), &info) != 0)
    return Report(FILE_NOT_FOUND, ERROR_FILE_NOT_FOUND);
  if (S_ISREG(info.st_mode) && access(file.c_str(), X_OK) == 0)
    return StartProgram(file, pParameters ? pParameters : "", pDirectory);
  return OpenDocument(file, pDirectory);
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

HINSTANCE ShellExecuteA(HWND, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters,
                        LPCSTR lpDirectory, int)
{
  if (FaultHit(FAULT_LAUNCH)) return Report(ACCESS_DENIED, ERROR_ACCESS_DENIED);
  if (lpOperation != nullptr && strcmp(lpOperation, "open") != 0)
    return Report(NO_ASSOCIATION, ERROR_NO_ASSOCIATION);
  if (lpFile == nullptr || *lpFile == 0) return Report(FILE_NOT_FOUND, ERROR_FILE_NOT_FOUND);
  try {
    return Launch(lpFile, lpParameters, lpDirectory);
  } catch (const std::bad_alloc&) {
    return Report(0, ERROR_NOT_ENOUGH_MEMORY);
  }
}
