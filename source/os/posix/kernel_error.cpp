// POSIX only: the stand-ins for the last-error value and its errno mapping.
#include <errno.h>

#include "lasterror.h"
#include "platform.h"

namespace {

const DWORD ERROR_GEN_FAILURE_CODE = 31;
const DWORD ERROR_DISK_FULL_CODE = 112;
const DWORD ERROR_FILENAME_EXCED_RANGE_CODE = 206;

// One thread runs the program; the value is still kept per thread, as on
// Windows, so that test threads cannot disturb each other.
thread_local DWORD t_dwLastError = ERROR_SUCCESS;

}  // namespace

DWORD GetLastError(void) { return t_dwLastError; }

void SetLastError(DWORD dwError) { t_dwLastError = dwError; }

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
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE_CODE;
    case ENOSPC: return ERROR_DISK_FULL_CODE;
    case EINVAL: return ERROR_INVALID_PARAMETER;
    default: return ERROR_GEN_FAILURE_CODE;
  }
}
