// POSIX only: the kernel's last error, module handle and time, and its files
// and folders; a file handle is the file descriptor.
#include "platform.h"

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include "faults.h"

namespace {

// One thread runs the program; the value is still kept per thread, as on
// Windows, so that test threads cannot disturb each other.
thread_local DWORD t_dwLastError = ERROR_SUCCESS;

// Any non-null handle serves: the resources are compiled into the program.
char g_ModuleAnchor;

DWORD Win32ErrorFromErrno(int nErrno)
{
  switch (nErrno) {
    case 0: return ERROR_SUCCESS;
    case EEXIST: return ERROR_ALREADY_EXISTS;
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS: return ERROR_ACCESS_DENIED;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    case ENAMETOOLONG: return 206;  // ERROR_FILENAME_EXCED_RANGE
    case ENOSPC: return 112;        // ERROR_DISK_FULL
    case EINVAL: return ERROR_INVALID_PARAMETER;
    default: return 31;  // ERROR_GEN_FAILURE
  }
}

BOOL Fail(int nErrno)
{
  SetLastError(nErrno == EEXIST ? ERROR_FILE_EXISTS : Win32ErrorFromErrno(nErrno));
  return FALSE;
}

int Descriptor(HANDLE hFile) { return static_cast<int>(reinterpret_cast<intptr_t>(hFile)); }

}  // namespace

DWORD GetLastError(void) { return t_dwLastError; }

void SetLastError(DWORD dwError) { t_dwLastError = dwError; }

HMODULE GetModuleHandleA(LPCSTR lpModuleName)
{
  return lpModuleName ? nullptr : reinterpret_cast<HMODULE>(&g_ModuleAnchor);
}

void GetSystemTime(LPSYSTEMTIME lpSystemTime)
{
  struct timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  struct tm utc;
  gmtime_r(&now.tv_sec, &utc);
  *lpSystemTime = SYSTEMTIME{static_cast<WORD>(utc.tm_year + 1900), static_cast<WORD>(utc.tm_mon + 1),
                             static_cast<WORD>(utc.tm_wday),        static_cast<WORD>(utc.tm_mday),
                             static_cast<WORD>(utc.tm_hour),        static_cast<WORD>(utc.tm_min),
                             static_cast<WORD>(utc.tm_sec),         static_cast<WORD>(now.tv_nsec / 1000000)};
}

BOOL CreateDirectoryA(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES)
{
  // The folder gets the default permissions whatever was asked for.
  if (FaultHit(FAULT_CREATE_DIRECTORY)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (lpPathName == nullptr || *lpPathName == 0) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return FALSE;
  }
  if (mkdir(lpPathName, 0777) == 0) return TRUE;
  // Windows tells a missing parent from a missing file: the folder to be
  // made is never the missing one.
  SetLastError(errno == ENOENT ? ERROR_PATH_NOT_FOUND : Win32ErrorFromErrno(errno));
  return FALSE;
}

DWORD GetFileAttributesA(LPCSTR lpFileName)
{
  struct stat info;
  if (lpFileName == nullptr || *lpFileName == 0) {
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

// The shell's test whether a file or folder is there; the text names a file
// as it stands, drive forms name nothing here.
BOOL PathFileExistsA(LPCSTR pszPath)
{
  if (pszPath == nullptr) return FALSE;
  if (*pszPath == 0) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return FALSE;
  }
  struct stat info;
  if (stat(pszPath, &info) == 0) return TRUE;
  SetLastError(Win32ErrorFromErrno(errno));
  return FALSE;
}

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
  // Another process makes the file first.
  if (bNew && FaultHit(FAULT_NAME_TAKEN)) {
    int nOther = open(lpFileName, O_WRONLY | O_CLOEXEC | O_CREAT | O_EXCL, 0644);
    if (nOther >= 0) close(nOther);
  }
  int nFile = open(lpFileName, nFlags, 0666);
  if (nFile < 0) {
    Fail(errno);
    return INVALID_HANDLE_VALUE;
  }
  return reinterpret_cast<HANDLE>(static_cast<intptr_t>(nFile));
}

BOOL WriteFile(HANDLE hFile, const void* lpBuffer, DWORD nNumberOfBytesToWrite, LPDWORD lpNumberOfBytesWritten,
               void*)
{
  ssize_t nWritten = write(Descriptor(hFile), lpBuffer, nNumberOfBytesToWrite);
  if (lpNumberOfBytesWritten) *lpNumberOfBytesWritten = nWritten < 0 ? 0 : static_cast<DWORD>(nWritten);
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
