// POSIX only: LoadStringA over the program's own string table.
#include "platform.h"

#include <string.h>

#include "stringtable.h"

namespace {

struct TStringEntry
{
  UINT nId;
  const char* pText;
};

#define EP_POSIX_STRING(id, text) {id, text},
const TStringEntry g_aStrings[] = {EP_STRING_TABLE(EP_POSIX_STRING)};
#undef EP_POSIX_STRING

const char* FindString(UINT uID)
{
  for (size_t i = 0; i < sizeof(g_aStrings) / sizeof(g_aStrings[0]); ++i)
    if (g_aStrings[i].nId == uID) return g_aStrings[i].pText;
  return 0;
}

}  // namespace

// As Windows: copies at most cchBufferMax - 1 characters, always terminates,
// returns the count copied; an unknown id gives 0 and an empty buffer.
int LoadStringA(HINSTANCE, UINT uID, LPSTR lpBuffer, int cchBufferMax)
{
  if (lpBuffer == 0 || cchBufferMax <= 0) return 0;
  const char* pText = FindString(uID);
  size_t nCount = pText ? strlen(pText) : 0;
  if (nCount > (size_t)(cchBufferMax - 1)) nCount = (size_t)(cchBufferMax - 1);
  if (nCount) memcpy(lpBuffer, pText, nCount);
  lpBuffer[nCount] = 0;
  return (int)nCount;
}
