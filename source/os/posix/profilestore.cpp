// POSIX only: profile files read for a write and replaced atomically.
#include "profilestore.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include "fileio.h"

namespace {

DWORD ErrorFromErrno(int nErrno)
{
  return (nErrno == ENOENT || nErrno == ENOTDIR) ? ERROR_PATH_NOT_FOUND : ERROR_ACCESS_DENIED;
}

mode_t NewFileMode()
{
  mode_t nMask = umask(0);
  umask(nMask);
  return 0666 & ~nMask;
}

bool ReadAll(int fd, TText& rText)
{
  char aChunk[65536];
  for (;;) {
    ssize_t nRead = read(fd, aChunk, sizeof aChunk);
    if (nRead < 0 && errno == EINTR) continue;
    if (nRead < 0) return false;
    if (nRead == 0) return true;
    if (!rText.Append(aChunk, static_cast<size_t>(nRead))) return false;
  }
}


}  // namespace

DWORD ReadProfileForWrite(const char* pPath, TProfileOnDisk& rDisk)
{
  rDisk.bExists = false;
  rDisk.nMode = NewFileMode();
  if (!rDisk.text.Assign("")) return ERROR_ACCESS_DENIED;
  struct stat info;
  if (stat(pPath, &info) != 0) return errno == ENOENT ? ERROR_SUCCESS : ErrorFromErrno(errno);
  // Windows refuses a read-only file whoever asks; root would not be.
  if (!S_ISREG(info.st_mode) || (info.st_mode & S_IWUSR) == 0) return ERROR_ACCESS_DENIED;
  int fd = open(pPath, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return ErrorFromErrno(errno);
  bool bRead = ReadAll(fd, rDisk.text);
  close(fd);
  if (!bRead) return ERROR_ACCESS_DENIED;
  rDisk.bExists = true;
  rDisk.nMode = info.st_mode & 07777;
  return ERROR_SUCCESS;
}

DWORD ReplaceProfile(const char* pPath, const char* pText, size_t nLength, mode_t nMode)
{
  // A link is followed, so the file it names is the one replaced.
  char* pTarget = realpath(pPath, 0);
  const char* pFinal = pTarget ? pTarget : pPath;
  TText temporary;
  if (!temporary.Assign(pFinal) || !temporary.Append(".XXXXXX")) {
    free(pTarget);
    return ERROR_ACCESS_DENIED;
  }
  int fd = mkstemp(temporary.Buffer());
  if (fd < 0) {
    int nErrno = errno;
    free(pTarget);
    return ErrorFromErrno(nErrno);
  }
  bool bWritten = WriteAll(fd, pText, nLength) && fchmod(fd, nMode) == 0;
  if (close(fd) != 0) bWritten = false;
  bool bReplaced = bWritten && rename(temporary.Text(), pFinal) == 0;
  if (!bReplaced) unlink(temporary.Text());
  free(pTarget);
  return bReplaced ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}
