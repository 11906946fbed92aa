// POSIX only: a profile file read once and indexed, kept while the file on
// disk stays the same, so that walking every key of a large file costs time
// in proportion to its size.
#ifndef EXTRACTPANEL_POSIX_PROFILECACHE_H
#define EXTRACTPANEL_POSIX_PROFILECACHE_H

#include <stddef.h>
#include <stdint.h>

struct TProfileSection
{
  const char* pName;
  size_t nNameLength;
  size_t nFirstKey;  // the keys of one section block follow one another
  size_t nKeyCount;
};

struct TProfileKey
{
  const char* pName;
  size_t nNameLength;
  const char* pValue;  // surrounding quotes already left out
  size_t nValueLength;
};

struct TProfileFile
{
  char* pText;
  size_t nTextLength;
  TProfileSection* pSections;  // in file order, repeated names included
  size_t nSectionCount;
  TProfileKey* pKeys;          // in file order
  size_t nKeyCount;
  uint32_t* pSectionIndex;     // open addressing: section number + 1, 0 empty
  size_t nSectionIndexSize;
  uint32_t* pKeyIndex;         // key number + 1, 0 empty
  size_t nKeyIndexSize;
  // The name lists as a read returns them (names with their NULs, the
  // final NUL left out), made when first asked for.
  char* pSectionList;
  size_t nSectionListLength;
  char** ppKeyLists;           // one per section, or null
  size_t* pKeyListLengths;
};

// The parsed file, or null when there is no readable regular file at pPath.
// Valid until the next call or ForgetProfile.
const TProfileFile* LoadProfile(const char* pPath);
// Drops what is kept, after a write.
void ForgetProfile();

// The names of all sections, or of the keys of one section block; null
// when memory ran out.
const char* ProfileSectionList(const TProfileFile* pFile, size_t* pnLength);
const char* ProfileKeyList(const TProfileFile* pFile, size_t nSection, size_t* pnLength);

// The first section block of that name (blanks around it ignored), or -1.
long FindProfileSection(const TProfileFile* pFile, const char* pName);
// The first key of that name in the section block, or -1.
long FindProfileKey(const TProfileFile* pFile, size_t nSection, const char* pName);

#endif
