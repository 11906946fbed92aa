// POSIX stand-in for ShellExecuteA: a program file is started detached with
// its argument text split as Windows splits a command line; any other file
// is handed to the desktop's opener (xdg-open, or the program named by
// EXTRACTPANEL_OPENER).
#include "platform.h"

#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "argumentsplit.h"
#include "faults.h"
#include "fixedtext.h"
#include "memory.h"

namespace {

// The values ShellExecuteA reports, as Windows numbers them.
const INT_PTR LAUNCHED = 42;
const INT_PTR FILE_NOT_FOUND = 2;
const INT_PTR ACCESS_DENIED = 5;
const INT_PTR BAD_FORMAT = 11;
const INT_PTR NO_ASSOCIATION = 31;

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

// The launched process is its own session's, with no terminal and its
// standard streams on /dev/null, and is not waited for. True when the exec
// succeeded, which the child tells through a close-on-exec pipe.
bool StartDetached(const char* pProgram, char* const* pArgv, bool bSearchPath, const char* pDirectory)
{
  int aPipe[2];
  if (pipe2(aPipe, O_CLOEXEC) != 0) return false;
  pid_t child = fork();
  if (child < 0) {
    close(aPipe[0]);
    close(aPipe[1]);
    return false;
  }
  if (child == 0) {
    close(aPipe[0]);
    setsid();
    pid_t grandchild = fork();
    if (grandchild != 0) {
      if (grandchild < 0) WriteErrno(aPipe[1]);
      _exit(0);
    }
    int nNull = open("/dev/null", O_RDWR);
    if (nNull >= 0) {
      dup2(nNull, 0);
      dup2(nNull, 1);
      dup2(nNull, 2);
      if (nNull > 2) close(nNull);
    }
    if (pDirectory != 0 && *pDirectory != 0 && chdir(pDirectory) != 0) {
      WriteErrno(aPipe[1]);
      _exit(127);
    }
    if (bSearchPath) execvp(pProgram, pArgv);
    else execv(pProgram, pArgv);
    WriteErrno(aPipe[1]);
    _exit(127);
  }
  close(aPipe[1]);
  while (waitpid(child, 0, 0) < 0 && errno == EINTR) {}
  int nError = 0;
  ssize_t nRead;
  do nRead = read(aPipe[0], &nError, sizeof nError);
  while (nRead < 0 && errno == EINTR);
  close(aPipe[0]);
  return nRead == 0;
}

// The file name without the double quotes around it, as the shell takes a
// quoted program path.
bool Unquote(const char* pFile, TPathText& rOut)
{
  if (*pFile != '"') return rOut.Assign(pFile);
  const char* pEnd = strchr(pFile + 1, '"');
  size_t nLength = pEnd ? (size_t)(pEnd - pFile - 1) : strlen(pFile + 1);
  if (nLength >= TPathText::CAPACITY) return false;
  char aName[TPathText::CAPACITY];
  memcpy(aName, pFile + 1, nLength);
  aName[nLength] = 0;
  return rOut.Assign(aName);
}

HINSTANCE StartProgram(const char* pProgram, const char* pParameters, const char* pDirectory)
{
  int nCount = 0;
  char** pSplit = SplitArguments(pParameters, &nCount);
  if (pSplit == 0) return Report(0, ERROR_NOT_ENOUGH_MEMORY);
  char** pArgv = static_cast<char**>(MemAlloc((size_t)(nCount + 2) * sizeof(char*)));
  if (pArgv == 0) {
    MemFree(pSplit);
    return Report(0, ERROR_NOT_ENOUGH_MEMORY);
  }
  pArgv[0] = const_cast<char*>(pProgram);
  for (int i = 0; i <= nCount; ++i) pArgv[i + 1] = pSplit[i];
  bool bStarted = StartDetached(pProgram, pArgv, false, pDirectory);
  MemFree(pArgv);
  MemFree(pSplit);
  return bStarted ? Report(LAUNCHED, 0) : Report(BAD_FORMAT, ERROR_BAD_FORMAT);
}

HINSTANCE OpenDocument(const char* pFile, const char* pDirectory)
{
  const char* pOpener = getenv("EXTRACTPANEL_OPENER");
  if (pOpener == 0 || *pOpener == 0) pOpener = "xdg-open";
  char* aArgv[3] = {const_cast<char*>(pOpener), const_cast<char*>(pFile), 0};
  if (StartDetached(pOpener, aArgv, true, pDirectory)) return Report(LAUNCHED, 0);
  return Report(NO_ASSOCIATION, ERROR_NO_ASSOCIATION);
}

}  // namespace

HINSTANCE ShellExecuteA(HWND, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters,
                        LPCSTR lpDirectory, int)
{
  if (FaultHit(FAULT_LAUNCH)) return Report(ACCESS_DENIED, ERROR_ACCESS_DENIED);
  if (lpOperation != 0 && strcmp(lpOperation, "open") != 0) return Report(NO_ASSOCIATION, ERROR_NO_ASSOCIATION);
  TPathText file;
  if (lpFile == 0 || !Unquote(lpFile, file) || file.IsEmpty()) return Report(FILE_NOT_FOUND, ERROR_FILE_NOT_FOUND);
  struct stat info;
  if (stat(file.Text(), &info) != 0) return Report(FILE_NOT_FOUND, ERROR_FILE_NOT_FOUND);
  if (S_ISREG(info.st_mode) && access(file.Text(), X_OK) == 0)
    return StartProgram(file.Text(), lpParameters ? lpParameters : "", lpDirectory);
  return OpenDocument(file.Text(), lpDirectory);
}
