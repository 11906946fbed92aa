// POSIX only: whole-file reads and atomic replacement, for the registry store
// and profile files.
#include "wholefile.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

int ReadFileBytes(const std::string& rPath, std::string& rText, size_t nLimit)
{
  rText.clear();
  int nFile = open(rPath.c_str(), O_RDONLY | O_CLOEXEC);
  if (nFile < 0) return errno;
  struct stat info;
  int nError = fstat(nFile, &info) != 0 ? errno : 0;
  if (nError == 0 &&
      (!S_ISREG(info.st_mode) || static_cast<unsigned long long>(info.st_size) > nLimit))
    nError = EFBIG;
  char aBlock[65536];
  for (ssize_t nRead = 1; nError == 0 && nRead != 0;) {
    nRead = read(nFile, aBlock, sizeof aBlock);
    if (nRead > 0) rText.append(aBlock, static_cast<size_t>(nRead));
    if (nRead < 0 && errno != EINTR) nError = errno;
  }
  close(nFile);
  if (nError != 0) rText.clear();
  return nError;
}

int ReplaceFileBytes(int nFile, const std::string& rTemp, const std::string& rPath,
                     const std::string& rText, mode_t nMode)
{
  int nError = 0;
  for (size_t nDone = 0; nError == 0 && nDone < rText.size();) {
    ssize_t nWritten = write(nFile, rText.data() + nDone, rText.size() - nDone);
    if (nWritten > 0) nDone += static_cast<size_t>(nWritten);
    else if (nWritten == 0) nError = EIO;
    else if (errno != EINTR) nError = errno;
  }
  if (nError == 0 && (fchmod(nFile, nMode) != 0 || fsync(nFile) != 0)) nError = errno;
  if (close(nFile) != 0 && nError == 0) nError = errno;
  if (nError == 0 && rename(rTemp.c_str(), rPath.c_str()) != 0) nError = errno;
  if (nError != 0) unlink(rTemp.c_str());
  return nError;
}
