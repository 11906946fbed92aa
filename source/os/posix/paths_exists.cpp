// POSIX only: stand-in for the shell's test whether a file or folder is there.
// The text names a file as it stands; drive forms name nothing here.
#include <errno.h>
#include <sys/stat.h>

#include "lasterror.h"
#include "platform.h"

BOOL PathFileExistsA(LPCSTR pszPath)
{
  if (pszPath == 0) return FALSE;
  if (*pszPath == 0) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return FALSE;
  }
  struct stat info;
  if (stat(pszPath, &info) == 0) return TRUE;
  SetLastError(Win32ErrorFromErrno(errno));
  return FALSE;
}
