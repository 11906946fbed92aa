#include "profileread.h"

#include <string.h>

#include "memory.h"
#include "textcompare.h"

const char SENTINEL_TEXT[] = "not_found_error";
ProfileReadFunction g_pfnProfileRead = PlatformProfileRead;

DWORD PlatformProfileRead(LPCSTR pSection, LPCSTR pKey, LPCSTR pDefault, LPSTR pOut, DWORD nSize,
                          LPCSTR pFile)
{
  return GetPrivateProfileStringA(pSection, pKey, pDefault, pOut, nSize, pFile);
}

namespace {

const DWORD GROWTH = 256;
const DWORD LARGEST_SIZE = 0x7FFFFFFF - GROWTH;

}  // namespace

int ReadProfileWhole(const char* pSection, const char* pKey, const char* pFile, TProfileRead* pRead)
{
  bool bList = pSection == 0 || pKey == 0;
  // The sentinel always fits whole, so it is never mistaken for a value.
  DWORD nSize = static_cast<DWORD>(strlen(SENTINEL_TEXT)) + 1;
  for (;;) {
    char* pBuffer = static_cast<char*>(MemAlloc(nSize));
    if (pBuffer == 0) return PROFILE_READ_NO_MEMORY;
    pBuffer[0] = 0;
    DWORD nCount = g_pfnProfileRead(pSection, pKey, SENTINEL_TEXT, pBuffer, nSize, pFile);
    // The sentinel test comes first: a cut value that begins with it counts
    // as missing as well.
    if (EqualsNoCase(pBuffer, SENTINEL_TEXT) || (bList && nCount == 0)) {
      MemFree(pBuffer);
      return PROFILE_READ_EMPTY;
    }
    if (nCount < nSize - 2) {
      // Some platforms end a list with one NUL only; the walk needs two.
      pBuffer[nCount] = 0;
      pBuffer[nCount + 1] = 0;
      pRead->pBuffer = pBuffer;
      pRead->nSize = nSize;
      return PROFILE_READ_DONE;
    }
    MemFree(pBuffer);
    if (nSize > LARGEST_SIZE) return PROFILE_READ_NO_MEMORY;
    nSize += GROWTH;
  }
}
