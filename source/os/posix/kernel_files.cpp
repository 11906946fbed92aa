// POSIX only: the stand-ins for folder creation and file attributes.
#include <errno.h>
#include <sys/stat.h>
#include <sys/types.h>

#include "faults.h"
#include "lasterror.h"
#include "platform.h"

BOOL CreateDirectoryA(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES lpSecurityAttributes)
{
  // The folder gets the default permissions whatever was asked for.
  (void)lpSecurityAttributes;
  if (FaultHit(FAULT_CREATE_DIRECTORY)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (lpPathName == 0 || *lpPathName == 0) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return FALSE;
  }
  if (mkdir(lpPathName, 0777) == 0) return TRUE;
  int nErrno = errno;
  // Windows tells a missing parent from a missing file: the folder to be
  // made is never the missing one.
  SetLastError(nErrno == ENOENT ? ERROR_PATH_NOT_FOUND : Win32ErrorFromErrno(nErrno));
  return FALSE;
}

DWORD GetFileAttributesA(LPCSTR lpFileName)
{
  struct stat info;
  if (lpFileName == 0 || *lpFileName == 0) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return INVALID_FILE_ATTRIBUTES;
  }
  // A symbolic link is there even when what it names is not, as a reparse
  // point is on Windows: a name it holds is never taken for free.
  if (lstat(lpFileName, &info) != 0) {
    SetLastError(Win32ErrorFromErrno(errno));
    return INVALID_FILE_ATTRIBUTES;
  }
  DWORD dwAttributes = 0;
  if (S_ISLNK(info.st_mode)) {
    dwAttributes |= FILE_ATTRIBUTE_REPARSE_POINT;
    struct stat target;
    if (stat(lpFileName, &target) == 0) info = target;
  }
  if (S_ISDIR(info.st_mode)) dwAttributes |= FILE_ATTRIBUTE_DIRECTORY;
  if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) dwAttributes |= FILE_ATTRIBUTE_READONLY;
  return dwAttributes ? dwAttributes : FILE_ATTRIBUTE_NORMAL;
}
