#include "resultfile.h"

#include <string.h>

#include "memory.h"
#include "profileread.h"

namespace {

const char RESULT_SECTION[] = "ADRTP";

}  // namespace

int ReadResultValue(const char* pFile, const char* pKey, char* pOut, DWORD* pLength)
{
  // A null key would read the list of key names instead of a value.
  if (pKey == 0 || pLength == 0) return READ_RESULT_MISSING;
  TProfileRead read;
  int nRead = ReadProfileWhole(RESULT_SECTION, pKey, pFile, &read);
  // Out of memory reads as missing: the caller falls back to its next
  // source instead of asking again for a buffer it cannot get either.
  if (nRead != PROFILE_READ_DONE) return READ_RESULT_MISSING;
  DWORD nLength = static_cast<DWORD>(strlen(read.pBuffer));
  DWORD nCapacity = pOut ? *pLength : 0;
  int nResult;
  if (nLength < nCapacity) {
    memcpy(pOut, read.pBuffer, nLength + 1);
    nResult = READ_RESULT_COPIED;
  } else {
    *pLength = nLength + 256;
    nResult = READ_RESULT_TOO_SMALL;
  }
  MemFree(read.pBuffer);
  return nResult;
}

int WriteResultValue(const char* pFile, const char* pKey, const char* pValue)
{
  return WritePrivateProfileStringA(RESULT_SECTION, pKey, pValue, pFile) ? 1 : 0;
}
