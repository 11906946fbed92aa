// POSIX only: lookups and edits of registry keys and values in store content.
#include "registrycontent.h"

#include <string.h>

#include "textcompare.h"

namespace {

// The key itself or a key below it; every key is below the root.
bool IsInTree(const char* pPath, size_t nPath, const char* pTop, size_t nTop)
{
  if (nTop == 0) return true;
  if (nPath < nTop || (nPath > nTop && pPath[nTop] != '\\')) return false;
  return EqualsNoCase(pPath, nTop, pTop, nTop);
}

bool AppendNewValue(TText& rOut, const TNewValue& rValue)
{
  return AppendValueRecord(rOut, rValue.pName, rValue.nName, rValue.dwType, rValue.pData,
                           rValue.nData);
}

}  // namespace

bool FindStoreKey(const TText& rContent, const char* pPath, size_t nPath, TStoreRecord* pKey)
{
  TStoreReader reader(rContent.Text(), rContent.GetLength());
  TStoreRecord record;
  while (reader.Next(record)) {
    if (record.cKind == 'K' && EqualsNoCase(record.pName, record.nName, pPath, nPath)) {
      if (pKey) *pKey = record;
      return true;
    }
  }
  return nPath == 0;
}

bool FindStoreValue(const TText& rContent, const char* pPath, size_t nPath, const char* pName,
                    size_t nName, TStoreRecord& rValue)
{
  TStoreReader reader(rContent.Text(), rContent.GetLength());
  bool bInKey = false;
  while (reader.Next(rValue)) {
    if (rValue.cKind == 'K') {
      bInKey = EqualsNoCase(rValue.pName, rValue.nName, pPath, nPath);
    } else if (bInKey && EqualsNoCase(rValue.pName, rValue.nName, pName, nName)) {
      return true;
    }
  }
  return false;
}

bool EditStoreValue(const TText& rContent, const char* pPath, size_t nPath, const char* pName,
                    size_t nName, const TNewValue* pNew, TText& rOut, bool& rKeyFound,
                    bool& rValueFound)
{
  rKeyFound = nPath == 0;
  rValueFound = false;
  rOut.Clear();
  bool bOk = AppendStoreHeader(rOut);
  bool bInKey = false;
  bool bWritten = pNew == 0;
  TStoreReader reader(rContent.Text(), rContent.GetLength());
  TStoreRecord record;
  while (bOk && reader.Next(record)) {
    if (record.cKind == 'K') {
      // Leaving the key without having met the value: it goes last.
      if (bInKey && !bWritten) bOk = AppendNewValue(rOut, *pNew);
      if (bInKey) bWritten = true;
      bInKey = EqualsNoCase(record.pName, record.nName, pPath, nPath);
      rKeyFound = rKeyFound || bInKey;
      bOk = bOk && AppendRecord(rOut, record);
    } else if (bInKey && EqualsNoCase(record.pName, record.nName, pName, nName)) {
      rValueFound = true;
      if (!bWritten) {
        // A replaced value keeps the name it was created with.
        TNewValue replacement = *pNew;
        replacement.pName = record.pName;
        replacement.nName = record.nName;
        bOk = AppendNewValue(rOut, replacement);
      }
      bWritten = true;
    } else {
      bOk = AppendRecord(rOut, record);
    }
  }
  if (bOk && !bWritten && bInKey) {
    bOk = AppendNewValue(rOut, *pNew);
    bWritten = true;
  }
  // Still unwritten outside any key: the root, which has no record until it
  // holds a value.
  if (bOk && !bWritten && nPath == 0) {
    bOk = AppendKeyRecord(rOut, "", 0) && AppendNewValue(rOut, *pNew);
  }
  return bOk;
}

bool PrepareStoreKeys(const TText& rContent, TText& rPath, TText& rAdded, bool& rCreated)
{
  rCreated = false;
  size_t nPath = rPath.GetLength();
  if (nPath == 0) return true;
  char* pPath = rPath.Buffer();
  // Each parent in turn, then the key itself.
  for (size_t nEnd = 1; nEnd <= nPath; ++nEnd) {
    if (nEnd < nPath && pPath[nEnd] != '\\') continue;
    TStoreRecord key;
    rCreated = !FindStoreKey(rContent, pPath, nEnd, &key);
    if (!rCreated) {
      memcpy(pPath, key.pName, nEnd);
    } else if (!AppendKeyRecord(rAdded, pPath, nEnd)) {
      return false;
    }
  }
  return true;
}

bool DeleteStoreTree(const TText& rContent, const char* pPath, size_t nPath, bool bKeepKey,
                     TText& rOut)
{
  rOut.Clear();
  bool bOk = AppendStoreHeader(rOut);
  bool bSkipping = false;
  TStoreReader reader(rContent.Text(), rContent.GetLength());
  TStoreRecord record;
  while (bOk && reader.Next(record)) {
    if (record.cKind == 'K') {
      bSkipping = IsInTree(record.pName, record.nName, pPath, nPath);
      // The kept key's own record stays; its values go all the same.
      if (bKeepKey && EqualsNoCase(record.pName, record.nName, pPath, nPath)) {
        bOk = AppendRecord(rOut, record);
      }
    }
    if (!bSkipping) bOk = bOk && AppendRecord(rOut, record);
  }
  return bOk;
}
