// POSIX only: the kernel's last error, module handle and time, its files
// and folders and the system's folders; a file handle is the file
// descriptor.
#include "platform.h"

#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
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

// The program reads only ERROR_ALREADY_EXISTS; the others are what Windows
// gives for the same cause.
DWORD Win32ErrorFromErrno(int nErrno)
{
  switch (nErrno) {
    case EEXIST: return ERROR_ALREADY_EXISTS;
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case ENAMETOOLONG: return 206;  // ERROR_FILENAME_EXCED_RANGE
    default: return ERROR_ACCESS_DENIED;
  }
}

BOOL Fail(int nErrno)
{
  SetLastError(Win32ErrorFromErrno(nErrno));
  return FALSE;
}

// As Windows answers: the length, or the size needed with the terminator
// when the buffer is too small.
UINT SystemFolder(const char* pVariable, const char* pDefault, LPSTR lpBuffer, UINT uSize)
{
  const char* pFolder = getenv(pVariable);
  if (pFolder == nullptr || *pFolder == 0) pFolder = pDefault;
  UINT nLength = static_cast<UINT>(strlen(pFolder));
  if (nLength >= uSize) return nLength + 1;
  memcpy(lpBuffer, pFolder, nLength + 1);
  return nLength;
}

int Descriptor(HANDLE hFile) { return static_cast<int>(reinterpret_cast<intptr_t>(hFile)); }

}  // namespace

DWORD GetLastError(void) { return t_dwLastError; }

void SetLastError(DWORD dwError) { t_dwLastError = dwError; }

// The program asks only for its own module.
HMODULE GetModuleHandleA(LPCSTR) { return reinterpret_cast<HMODULE>(&g_ModuleAnchor); }

void GetSystemTime(LPSYSTEMTIME lpSystemTime)
{
  struct timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  struct tm utc;
  gmtime_r(&now.tv_sec, &utc);
  *lpSystemTime =
      SYSTEMTIME{static_cast<WORD>(utc.tm_year + 1900), static_cast<WORD>(utc.tm_mon + 1),
                 static_cast<WORD>(utc.tm_wday),        static_cast<WORD>(utc.tm_mday),
                 static_cast<WORD>(utc.tm_hour),        static_cast<WORD>(utc.tm_min),
                 static_cast<WORD>(utc.tm_sec),         static_cast<WORD>(now.tv_nsec / 1000000)};
}

UINT GetSystemDirectoryA(LPSTR lpBuffer, UINT uSize)
{
  return SystemFolder("EXTRACTPANEL_SYSTEM_DIR", "/usr/bin", lpBuffer, uSize);
}

UINT GetWindowsDirectoryA(LPSTR lpBuffer, UINT uSize)
{
  return SystemFolder("EXTRACTPANEL_WINDOWS_DIR", "/bin", lpBuffer, uSize);
}

// The folder gets the default permissions whatever was asked for.
BOOL CreateDirectoryA(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES)
{
  if (FaultHit(FAULT_CREATE_DIRECTORY)) return Fail(EACCES);
  if (mkdir(lpPathName, 0777) == 0) return TRUE;
  // Windows tells a missing parent from a missing file: the folder to be
  // made is never the missing one.
  return Fail(errno == ENOENT ? ENOTDIR : errno);
}

DWORD GetFileAttributesA(LPCSTR lpFileName)
{
  // A symbolic link is there even when what it names is not, as a reparse
  // point is on Windows: a name it holds is never taken for free.
  struct stat info;
  if (lstat(lpFileName, &info) != 0) {
    Fail(errno);
    return INVALID_FILE_ATTRIBUTES;
  }
  DWORD dwAttributes = 0;
  if (S_ISLNK(info.st_mode)) {
    dwAttributes |= FILE_ATTRIBUTE_REPARSE_POINT;
    if (stat(lpFileName, &info) != 0) return dwAttributes;
  }
  if (S_ISDIR(info.st_mode)) dwAttributes |= FILE_ATTRIBUTE_DIRECTORY;
  return dwAttributes ? dwAttributes : FILE_ATTRIBUTE_NORMAL;
}

// The shell's test whether a file or folder is there; the text names a file
// as it stands, drive forms name nothing here.
BOOL PathFileExistsA(LPCSTR pszPath)
{
  struct stat info;
  return stat(pszPath, &info) == 0 ? TRUE : Fail(errno);
}

HANDLE CreateFileA(LPCSTR lpFileName, DWORD, DWORD, LPSECURITY_ATTRIBUTES,
                   DWORD dwCreationDisposition, DWORD dwFlagsAndAttributes, HANDLE)
{
  bool bNew = dwCreationDisposition == CREATE_NEW;
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

BOOL WriteFile(HANDLE hFile, const void* lpBuffer, DWORD nNumberOfBytesToWrite,
               LPDWORD lpNumberOfBytesWritten, void*)
{
  ssize_t nWritten = write(Descriptor(hFile), lpBuffer, nNumberOfBytesToWrite);
  *lpNumberOfBytesWritten = nWritten < 0 ? 0 : static_cast<DWORD>(nWritten);
  return nWritten < 0 ? Fail(errno) : TRUE;
}

BOOL GetFileInformationByHandle(HANDLE hFile, LPBY_HANDLE_FILE_INFORMATION lpFileInformation)
{
  struct stat info;
  if (fstat(Descriptor(hFile), &info) != 0) return Fail(errno);
  bool bFolder = S_ISDIR(info.st_mode);
  lpFileInformation->dwFileAttributes = bFolder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
  return TRUE;
}

BOOL CloseHandle(HANDLE hObject) { return close(Descriptor(hObject)) == 0 ? TRUE : Fail(errno); }

BOOL DeleteFileA(LPCSTR lpFileName) { return unlink(lpFileName) == 0 ? TRUE : Fail(errno); }
