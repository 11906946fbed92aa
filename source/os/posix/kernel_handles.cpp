// POSIX only: the stand-ins for files made, written and closed through a
// handle, which is the file descriptor.
#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "faults.h"
#include "lasterror.h"
#include "platform.h"

namespace {

int Descriptor(HANDLE hFile) { return (int)(intptr_t)hFile; }

BOOL Fail(int nErrno)
{
  SetLastError(nErrno == EEXIST ? ERROR_FILE_EXISTS : Win32ErrorFromErrno(nErrno));
  return FALSE;
}

}  // namespace

HANDLE CreateFileA(LPCSTR lpFileName, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD dwCreationDisposition,
                   DWORD dwFlagsAndAttributes, HANDLE)
{
  bool bNew = dwCreationDisposition == CREATE_NEW;
  if (!bNew && dwCreationDisposition != CREATE_ALWAYS) {
    Fail(EINVAL);
    return INVALID_HANDLE_VALUE;
  }
  int nFlags = O_WRONLY | O_CLOEXEC | O_CREAT | (bNew ? O_EXCL : O_TRUNC);
  if (dwFlagsAndAttributes & FILE_FLAG_OPEN_REPARSE_POINT) nFlags |= O_NOFOLLOW;
  if (bNew && FaultHit(FAULT_NAME_TAKEN)) {
    int nOther = open(lpFileName, O_WRONLY | O_CLOEXEC | O_CREAT | O_EXCL, 0644);
    if (nOther >= 0) close(nOther);
  }
  int nFile = open(lpFileName, nFlags, 0666);
  if (nFile < 0) {
    Fail(errno);
    return INVALID_HANDLE_VALUE;
  }
  return (HANDLE)(intptr_t)nFile;
}

BOOL WriteFile(HANDLE hFile, const void* lpBuffer, DWORD nNumberOfBytesToWrite, LPDWORD lpNumberOfBytesWritten,
               void*)
{
  ssize_t nWritten = write(Descriptor(hFile), lpBuffer, nNumberOfBytesToWrite);
  if (lpNumberOfBytesWritten) *lpNumberOfBytesWritten = nWritten < 0 ? 0 : (DWORD)nWritten;
  return nWritten < 0 ? Fail(errno) : TRUE;
}

BOOL GetFileInformationByHandle(HANDLE hFile, LPBY_HANDLE_FILE_INFORMATION lpFileInformation)
{
  struct stat info;
  if (fstat(Descriptor(hFile), &info) != 0) return Fail(errno);
  memset(lpFileInformation, 0, sizeof *lpFileInformation);
  lpFileInformation->dwFileAttributes = S_ISDIR(info.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
  return TRUE;
}

BOOL CloseHandle(HANDLE hObject) { return close(Descriptor(hObject)) == 0 ? TRUE : Fail(errno); }

BOOL DeleteFileA(LPCSTR lpFileName) { return unlink(lpFileName) == 0 ? TRUE : Fail(errno); }
