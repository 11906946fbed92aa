// POSIX only: looking up and editing keys and values in the content of a
// store file (registryformat.h). Key paths and value names match without
// regard to the case of A to Z; the case stored is kept. The content given
// is well formed (ReadStore and TStoreChange see to that).
#ifndef EXTRACTPANEL_REGISTRYCONTENT_H
#define EXTRACTPANEL_REGISTRYCONTENT_H

#include <stddef.h>

#include "platform_types.h"
#include "registryformat.h"
#include "text.h"

// True when the key is in the store; the root (empty path) always is.
// pKey, when given and the key has a record, receives that record.
bool FindStoreKey(const TText& rContent, const char* pPath, size_t nPath, TStoreRecord* pKey);
// True when the key holds the value; rValue receives its record.
bool FindStoreValue(const TText& rContent, const char* pPath, size_t nPath, const char* pName,
                    size_t nName, TStoreRecord& rValue);

// A value to write: its name, type and bytes.
struct TNewValue
{
  const char* pName;
  size_t nName;
  DWORD dwType;
  const BYTE* pData;
  size_t nData;
};

// rOut := the content with the value of that name replaced by pNew (kept in
// its place, or added after the key's last value), or removed when pNew is
// null. The root's record is added when the root gets its first value.
// rKeyFound and rValueFound tell what was there before.
bool EditStoreValue(const TText& rContent, const char* pPath, size_t nPath, const char* pName,
                    size_t nName, const TNewValue* pNew, TText& rOut, bool& rKeyFound,
                    bool& rValueFound);

// Gives rPath the stored case of each of its keys that exists, and appends
// to rAdded the records of those that do not, parents first. rCreated: the
// key itself was missing.
bool PrepareStoreKeys(const TText& rContent, TText& rPath, TText& rAdded, bool& rCreated);

// rOut := the content without the key and the keys below it; with
// bKeepKey, the key itself stays, emptied of its values.
bool DeleteStoreTree(const TText& rContent, const char* pPath, size_t nPath, bool bKeepKey,
                     TText& rOut);

#endif
