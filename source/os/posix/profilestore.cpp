// POSIX only: profile files read for a write and replaced atomically.
#include "profilestore.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "fileio.h"

namespace {

const unsigned long NO_ERROR_CODE = 0;
const unsigned long PATH_NOT_FOUND_CODE = 3;
const unsigned long ACCESS_DENIED_CODE = 5;

unsigned long ErrorFromErrno(int nErrno)
{
  return (nErrno == ENOENT || nErrno == ENOTDIR) ? PATH_NOT_FOUND_CODE : ACCESS_DENIED_CODE;
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

unsigned long ReadProfileForWrite(const char* pPath, TProfileOnDisk& rDisk)
{
  rDisk.bExists = false;
  rDisk.nMode = NewFileMode();
  if (!rDisk.text.Assign("")) return ACCESS_DENIED_CODE;
  struct stat info;
  if (stat(pPath, &info) != 0) return errno == ENOENT ? NO_ERROR_CODE : ErrorFromErrno(errno);
  // Windows refuses a read-only file whoever asks; root would not be.
  if (!S_ISREG(info.st_mode) || (info.st_mode & S_IWUSR) == 0) return ACCESS_DENIED_CODE;
  int fd = open(pPath, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return ErrorFromErrno(errno);
  bool bRead = ReadAll(fd, rDisk.text);
  close(fd);
  if (!bRead) return ACCESS_DENIED_CODE;
  rDisk.bExists = true;
  rDisk.nMode = info.st_mode & 07777;
  return NO_ERROR_CODE;
}

unsigned long ReplaceProfile(const char* pPath, const char* pText, size_t nLength, mode_t nMode)
{
  // A link is followed, so the file it names is the one replaced.
  char* pTarget = realpath(pPath, 0);
  const char* pFinal = pTarget ? pTarget : pPath;
  TText temporary;
  if (!temporary.Assign(pFinal) || !temporary.Append(".XXXXXX")) {
    free(pTarget);
    return ACCESS_DENIED_CODE;
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
  return bReplaced ? NO_ERROR_CODE : ACCESS_DENIED_CODE;
}
