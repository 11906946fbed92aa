// Reading one profile value or list of names whole: the sentinel as the
// default, a buffer that starts where the sentinel fits and grows by 256
// characters until the platform's count shows nothing was cut.
#ifndef EXTRACTPANEL_PROFILEREAD_H
#define EXTRACTPANEL_PROFILEREAD_H

#include "platform.h"

// The default of every profile read: a value equal to it counts as missing.
extern const char SENTINEL_TEXT[];  // "not_found_error"

// The private-profile read that the readers call: GetPrivateProfileStringA
// unless a test put a wrapper in its place to watch the calls.
typedef DWORD (*ProfileReadFunction)(LPCSTR pSection, LPCSTR pKey, LPCSTR pDefault, LPSTR pOut,
                                     DWORD nSize, LPCSTR pFile);
extern ProfileReadFunction g_pfnProfileRead;
DWORD PlatformProfileRead(LPCSTR pSection, LPCSTR pKey, LPCSTR pDefault, LPSTR pOut, DWORD nSize,
                          LPCSTR pFile);

enum {
  PROFILE_READ_EMPTY = 0,  // the sentinel came back (or, for a list, nothing)
  PROFILE_READ_DONE = 1,  // pBuffer holds the whole text; MemFree it
  PROFILE_READ_NO_MEMORY = 2  // no buffer could be had; nothing is held
};

struct TProfileRead
{
  char* pBuffer;
  DWORD nSize;  // characters in pBuffer
};

// A null pSection reads the section names, a null pKey the key names of
// pSection; a list is delivered with two NULs after its last name.
int ReadProfileWhole(const char* pSection, const char* pKey, const char* pFile,
                     TProfileRead* pRead);

#endif
