// POSIX only: reading a profile file for a write and putting the new text
// in its place atomically, with the errors Windows gives.
#ifndef EXTRACTPANEL_POSIX_PROFILESTORE_H
#define EXTRACTPANEL_POSIX_PROFILESTORE_H

#include <stddef.h>
#include <sys/types.h>

#include "platform_types.h"
#include "text.h"

struct TProfileOnDisk
{
  bool bExists;
  mode_t nMode;  // kept by the replacement
  TText text;
};

// 0, or the Windows error: 5 for a folder, a read-only or unreadable file.
DWORD ReadProfileForWrite(const char* pPath, TProfileOnDisk& rDisk);
// Writes a temporary file beside pPath and renames it over pPath, so no
// reader ever sees half a file. 0, or 3 (no such folder) or 5.
DWORD ReplaceProfile(const char* pPath, const char* pText, size_t nLength, mode_t nMode);

#endif
