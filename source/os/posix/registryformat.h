// POSIX only: the file format of the registry store, one file per root key.
//
//   extractpanel-registry 1\n                     the header, exactly these bytes
//   K <n>:<path>\n                                a key
//   V <n>:<name> <type> <m>:<hex>\n               a value of the key above it
//
// <n> and <m> are byte counts in decimal (1 to 10 digits). <path> is the
// key's names from the root joined by single backslashes, in the case they
// were created with; an empty path is the root key itself. <name> is the
// value's name, raw bytes (empty for the default value). <type> is the
// registry type in decimal. <hex> is the value's m bytes as 2m lower-case hex
// digits, so that every value is kept byte for byte and the file stays
// readable. A value line belongs to the key line above it. No name holds a
// NUL byte, and no path has an empty name in it.
//
// A file that departs from this in any byte reads as absent as a whole:
// the reader checks every count against the bytes that remain and never
// reads beyond them.
#ifndef EXTRACTPANEL_REGISTRYFORMAT_H
#define EXTRACTPANEL_REGISTRYFORMAT_H

#include <stddef.h>

#include "platform_types.h"
#include "text.h"

struct TStoreRecord
{
  char cKind;           // 'K' a key, 'V' a value
  const char* pName;    // the key's path or the value's name; not terminated
  size_t nName;
  DWORD dwType;         // values only
  const char* pHex;     // values only: 2 * nData hex digits
  size_t nData;         // values only: the value's size in bytes
  const char* pRecord;  // the whole line, to copy it unchanged
  size_t nRecord;
};

// Walks the records of a store file's content. An empty content is an empty
// store; anything else must begin with the header.
class TStoreReader
{
public:
  TStoreReader(const char* pData, size_t nSize);
  // The next record; false at the end and at the first malformed byte.
  bool Next(TStoreRecord& rRecord);
  // True when the walk stopped at a malformed byte.
  bool Failed() const { return m_bFailed; }

private:
  bool ReadCount(size_t& rCount, char cEnd);
  bool ReadKey(TStoreRecord& rRecord);
  bool ReadValue(TStoreRecord& rRecord);
  bool Fail();

  const char* m_pNext;
  const char* m_pEnd;
  bool m_bHaveKey;
  bool m_bFailed;
};

// True when the whole content is a store file, every record well formed.
bool IsWellFormedStore(const char* pData, size_t nSize);
// The value's bytes, nData of them, from a record read by TStoreReader.
void DecodeValueData(const TStoreRecord& rRecord, BYTE* pOut);

// Writers; false when memory ran out (the text may then hold a part).
bool AppendStoreHeader(TText& rOut);
bool AppendKeyRecord(TText& rOut, const char* pPath, size_t nPath);
bool AppendValueRecord(TText& rOut, const char* pName, size_t nName, DWORD dwType,
                       const BYTE* pData, size_t nData);
bool AppendRecord(TText& rOut, const TStoreRecord& rRecord);

#endif
