#include "fileio.h"

#include <errno.h>
#include <unistd.h>

bool WriteAll(int nFile, const char* pData, size_t nSize)
{
  while (nSize > 0) {
    ssize_t nWritten = write(nFile, pData, nSize);
    if (nWritten < 0 && errno == EINTR) continue;
    if (nWritten <= 0) return false;
    pData += nWritten;
    nSize -= static_cast<size_t>(nWritten);
  }
  return true;
}
