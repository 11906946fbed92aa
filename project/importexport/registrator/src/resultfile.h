// The result file through which the starter and the program exchange
// values: section ADRTP of an INI file named by rtpfilename.
#ifndef EXTRACTPANEL_RESULTFILE_H
#define EXTRACTPANEL_RESULTFILE_H

#include "platform.h"

enum {
  READ_RESULT_TOO_SMALL = 1,  // length now holds the value's length + 256
  READ_RESULT_MISSING = 2,
  READ_RESULT_COPIED = 3
};

// pLength: in, the capacity of pOut (terminator included); out, see above.
int ReadResultValue(const char* pFile, const char* pKey, char* pOut, DWORD* pLength);
// Non-zero when the platform stored the value.
int WriteResultValue(const char* pFile, const char* pKey, const char* pValue);

#endif
