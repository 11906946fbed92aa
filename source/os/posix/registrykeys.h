// POSIX only: the table of open registry keys behind the HKEY handles.
#ifndef EXTRACTPANEL_REGISTRYKEYS_H
#define EXTRACTPANEL_REGISTRYKEYS_H

#include <stddef.h>

#include "platform_types.h"
#include "registryfile.h"

// What a handle stands for: a key of one root, by its path from the root in
// the case the store keeps (empty for the root itself), and the rights it
// was opened with.
struct TOpenKey
{
  TOpenKey* pNext;
  UINT_PTR nHandle;
  TStoreRoot eRoot;
  REGSAM samDesired;
  char* pPath;  // NUL-terminated
  size_t nPath;
};

// A new handle for the key, or 0 when memory ran out.
HKEY AddOpenKey(TStoreRoot eRoot, REGSAM samDesired, const char* pPath, size_t nPath);
// The key behind a handle: HKEY_CURRENT_USER and HKEY_CLASSES_ROOT stand
// for their roots with every right; null for a handle that is not open.
const TOpenKey* FindOpenKey(HKEY hKey);
// 0; ERROR_INVALID_HANDLE for a handle that is not open. Closing a root
// does nothing.
LONG RemoveOpenKey(HKEY hKey);

#endif
