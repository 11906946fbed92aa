// POSIX only: parsing, indexing and keeping one profile file.
#include "profilecache.h"

#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include "profilelines.h"
#include "textcompare.h"

namespace {

struct TKept
{
  char* pPath;
  struct stat identity;
  bool bTrusted;
  TProfileFile file;
};

TKept g_Kept;

// A change inside the file system's clock tick leaves the time stamp as it
// was; a file is trusted from its stamp only once it is older than this.
const long long SETTLE_NANOSECONDS = 100000000LL;

long long Nanoseconds(const struct timespec& rTime)
{
  return static_cast<long long>(rTime.tv_sec) * 1000000000LL + rTime.tv_nsec;
}

bool SameIdentity(const struct stat& rLeft, const struct stat& rRight)
{
  return rLeft.st_dev == rRight.st_dev && rLeft.st_ino == rRight.st_ino &&
         rLeft.st_size == rRight.st_size &&
         Nanoseconds(rLeft.st_mtim) == Nanoseconds(rRight.st_mtim) &&
         Nanoseconds(rLeft.st_ctim) == Nanoseconds(rRight.st_ctim);
}

void FreeFile(TProfileFile& rFile)
{
  for (size_t s = 0; rFile.ppKeyLists && s < rFile.nSectionCount; ++s) free(rFile.ppKeyLists[s]);
  free(rFile.ppKeyLists);
  free(rFile.pKeyListLengths);
  free(rFile.pSectionList);
  free(rFile.pText);
  free(rFile.pSections);
  free(rFile.pKeys);
  free(rFile.pSectionIndex);
  free(rFile.pKeyIndex);
  memset(&rFile, 0, sizeof rFile);
}

uint32_t HashName(const char* pName, size_t nLength, uint32_t nSeed)
{
  uint32_t nHash = 2166136261u ^ nSeed;
  for (size_t i = 0; i < nLength; ++i) {
    nHash ^= static_cast<unsigned char>(FoldAZ(pName[i]));
    nHash *= 16777619u;
  }
  return nHash;
}

size_t IndexSize(size_t nCount)
{
  size_t nSize = 16;
  while (nSize < nCount * 2) nSize *= 2;
  return nSize;
}

bool ReadWholeFile(const char* pPath, char** ppText, size_t* pnLength)
{
  int fd = open(pPath, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) { close(fd); return false; }
  // Room for the file, its terminator and the one byte that finds the end.
  size_t nCapacity = static_cast<size_t>(info.st_size) + 2;
  size_t nLength = 0;
  char* pText = static_cast<char*>(malloc(nCapacity));
  bool bOk = pText != 0;
  while (bOk) {
    if (nLength + 1 >= nCapacity) {
      char* pMore = static_cast<char*>(realloc(pText, nCapacity * 2));
      if (pMore == 0) { bOk = false; break; }
      pText = pMore;
      nCapacity *= 2;
    }
    ssize_t nRead = read(fd, pText + nLength, nCapacity - nLength - 1);
    if (nRead < 0 && errno == EINTR) continue;
    if (nRead < 0) bOk = false;
    if (nRead <= 0) break;
    nLength += static_cast<size_t>(nRead);
  }
  close(fd);
  if (!bOk) { free(pText); return false; }
  pText[nLength] = 0;
  *ppText = pText;
  *pnLength = nLength;
  return true;
}

template <class T>
bool Push(T*& rpItems, size_t& rnCount, size_t& rnCapacity, const T& rItem)
{
  if (rnCount == rnCapacity) {
    size_t nNew = rnCapacity ? rnCapacity * 2 : 64;
    T* pNew = static_cast<T*>(realloc(rpItems, nNew * sizeof(T)));
    if (pNew == 0) return false;
    rpItems = pNew;
    rnCapacity = nNew;
  }
  rpItems[rnCount++] = rItem;
  return true;
}

void LeaveOutQuotes(TProfileKey& rKey)
{
  if (rKey.nValueLength < 2) return;
  char cFirst = rKey.pValue[0];
  if ((cFirst == '"' || cFirst == '\'') && rKey.pValue[rKey.nValueLength - 1] == cFirst) {
    ++rKey.pValue;
    rKey.nValueLength -= 2;
  }
}

// Keys before the first section belong to none and are not kept.
bool ParseLines(TProfileFile& rFile)
{
  size_t nSectionCapacity = 0, nKeyCapacity = 0;
  TProfileLine line;
  for (size_t nAt = 0; ReadProfileLine(rFile.pText, rFile.nTextLength, nAt, &line);
       nAt = line.nNext) {
    if (line.eKind == PROFILE_LINE_SECTION) {
      TProfileSection section = {rFile.pText + line.nName, line.nNameLength, rFile.nKeyCount, 0};
      if (!Push(rFile.pSections, rFile.nSectionCount, nSectionCapacity, section)) return false;
    } else if (line.eKind == PROFILE_LINE_KEY && rFile.nSectionCount > 0) {
      TProfileKey key = {rFile.pText + line.nName, line.nNameLength,
                         rFile.pText + line.nValue, line.nValueLength};
      LeaveOutQuotes(key);
      if (!Push(rFile.pKeys, rFile.nKeyCount, nKeyCapacity, key)) return false;
      ++rFile.pSections[rFile.nSectionCount - 1].nKeyCount;
    }
  }
  return true;
}

size_t ProbeSection(const TProfileFile& rFile, const char* pName, size_t nLength, bool* pbFound)
{
  size_t nMask = rFile.nSectionIndexSize - 1;
  size_t i = HashName(pName, nLength, 0) & nMask;
  for (; rFile.pSectionIndex[i] != 0; i = (i + 1) & nMask) {
    const TProfileSection& rOther = rFile.pSections[rFile.pSectionIndex[i] - 1];
    if (EqualsNoCase(rOther.pName, rOther.nNameLength, pName, nLength)) break;
  }
  *pbFound = rFile.pSectionIndex[i] != 0;
  return i;
}

size_t ProbeKey(const TProfileFile& rFile, size_t nSection, const char* pName, size_t nLength,
                bool* pbFound)
{
  const TProfileSection& rSection = rFile.pSections[nSection];
  size_t nMask = rFile.nKeyIndexSize - 1;
  size_t i = HashName(pName, nLength, static_cast<uint32_t>(nSection)) & nMask;
  for (; rFile.pKeyIndex[i] != 0; i = (i + 1) & nMask) {
    size_t nOther = rFile.pKeyIndex[i] - 1;
    bool bSameSection = nOther >= rSection.nFirstKey &&
                        nOther < rSection.nFirstKey + rSection.nKeyCount;
    const TProfileKey& rOther = rFile.pKeys[nOther];
    if (bSameSection && EqualsNoCase(rOther.pName, rOther.nNameLength, pName, nLength)) break;
  }
  *pbFound = rFile.pKeyIndex[i] != 0;
  return i;
}

// The first of several equal names wins: a later one is not entered, and
// the keys of a repeated section block are never found.
bool BuildIndexes(TProfileFile& rFile)
{
  rFile.nSectionIndexSize = IndexSize(rFile.nSectionCount);
  rFile.nKeyIndexSize = IndexSize(rFile.nKeyCount);
  rFile.pSectionIndex = static_cast<uint32_t*>(calloc(rFile.nSectionIndexSize, sizeof(uint32_t)));
  rFile.pKeyIndex = static_cast<uint32_t*>(calloc(rFile.nKeyIndexSize, sizeof(uint32_t)));
  if (rFile.pSectionIndex == 0 || rFile.pKeyIndex == 0) return false;
  for (size_t s = 0; s < rFile.nSectionCount; ++s) {
    const TProfileSection& rSection = rFile.pSections[s];
    bool bFound;
    size_t nSlot = ProbeSection(rFile, rSection.pName, rSection.nNameLength, &bFound);
    if (bFound) continue;
    rFile.pSectionIndex[nSlot] = static_cast<uint32_t>(s + 1);
    for (size_t k = rSection.nFirstKey; k < rSection.nFirstKey + rSection.nKeyCount; ++k) {
      nSlot = ProbeKey(rFile, s, rFile.pKeys[k].pName, rFile.pKeys[k].nNameLength, &bFound);
      if (!bFound) rFile.pKeyIndex[nSlot] = static_cast<uint32_t>(k + 1);
    }
  }
  return true;
}

bool Parse(TProfileFile& rFile)
{
  if (!ParseLines(rFile) || !BuildIndexes(rFile)) return false;
  rFile.ppKeyLists = static_cast<char**>(calloc(rFile.nSectionCount + 1, sizeof(char*)));
  rFile.pKeyListLengths = static_cast<size_t*>(calloc(rFile.nSectionCount + 1, sizeof(size_t)));
  return rFile.ppKeyLists != 0 && rFile.pKeyListLengths != 0;
}

// Each name followed by its NUL.
char* JoinNames(const TProfileSection* pSections, const TProfileKey* pKeys, size_t nFirst,
                size_t nCount, size_t* pnLength)
{
  size_t nLength = 0;
  for (size_t i = nFirst; i < nFirst + nCount; ++i)
    nLength += (pSections ? pSections[i].nNameLength : pKeys[i].nNameLength) + 1;
  char* pList = static_cast<char*>(malloc(nLength + 1));
  if (pList == 0) return 0;
  char* p = pList;
  for (size_t i = nFirst; i < nFirst + nCount; ++i) {
    const char* pName = pSections ? pSections[i].pName : pKeys[i].pName;
    size_t nName = pSections ? pSections[i].nNameLength : pKeys[i].nNameLength;
    memcpy(p, pName, nName);
    p[nName] = 0;
    p += nName + 1;
  }
  *pnLength = nLength;
  return pList;
}

long long Now()
{
  struct timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  return Nanoseconds(now);
}

}  // namespace

void ForgetProfile()
{
  FreeFile(g_Kept.file);
  free(g_Kept.pPath);
  g_Kept.pPath = 0;
  g_Kept.bTrusted = false;
}

const TProfileFile* LoadProfile(const char* pPath)
{
  struct stat identity;
  if (stat(pPath, &identity) != 0 || !S_ISREG(identity.st_mode)) {
    ForgetProfile();
    return 0;
  }
  if (g_Kept.pPath != 0 && g_Kept.bTrusted && strcmp(g_Kept.pPath, pPath) == 0 &&
      SameIdentity(g_Kept.identity, identity))
    return &g_Kept.file;
  ForgetProfile();
  long long nReadAt = Now();
  TProfileFile file;
  memset(&file, 0, sizeof file);
  if (!ReadWholeFile(pPath, &file.pText, &file.nTextLength) || !Parse(file)) {
    FreeFile(file);
    return 0;
  }
  g_Kept.file = file;
  g_Kept.pPath = strdup(pPath);
  g_Kept.identity = identity;
  // The stamp must predate the read by more than a clock tick, or a change
  // right after the read could go unseen.
  g_Kept.bTrusted = g_Kept.pPath != 0 &&
                    Nanoseconds(identity.st_mtim) + SETTLE_NANOSECONDS < nReadAt &&
                    Nanoseconds(identity.st_ctim) + SETTLE_NANOSECONDS < nReadAt;
  return &g_Kept.file;
}

long FindProfileSection(const TProfileFile* pFile, const char* pName)
{
  size_t nLength = strlen(pName);
  TrimProfileName(&pName, &nLength);
  bool bFound;
  size_t nSlot = ProbeSection(*pFile, pName, nLength, &bFound);
  return bFound ? static_cast<long>(pFile->pSectionIndex[nSlot]) - 1 : -1;
}

long FindProfileKey(const TProfileFile* pFile, size_t nSection, const char* pName)
{
  size_t nLength = strlen(pName);
  TrimProfileName(&pName, &nLength);
  bool bFound;
  size_t nSlot = ProbeKey(*pFile, nSection, pName, nLength, &bFound);
  return bFound ? static_cast<long>(pFile->pKeyIndex[nSlot]) - 1 : -1;
}

const char* ProfileSectionList(const TProfileFile* pFile, size_t* pnLength)
{
  TProfileFile* pMutable = const_cast<TProfileFile*>(pFile);
  if (pMutable->pSectionList == 0)
    pMutable->pSectionList = JoinNames(pFile->pSections, 0, 0, pFile->nSectionCount,
                                       &pMutable->nSectionListLength);
  *pnLength = pFile->nSectionListLength;
  return pFile->pSectionList;
}

const char* ProfileKeyList(const TProfileFile* pFile, size_t nSection, size_t* pnLength)
{
  TProfileFile* pMutable = const_cast<TProfileFile*>(pFile);
  const TProfileSection& rSection = pFile->pSections[nSection];
  if (pMutable->ppKeyLists[nSection] == 0)
    pMutable->ppKeyLists[nSection] = JoinNames(0, pFile->pKeys, rSection.nFirstKey,
                                               rSection.nKeyCount,
                                               &pMutable->pKeyListLengths[nSection]);
  *pnLength = pFile->pKeyListLengths[nSection];
  return pFile->ppKeyLists[nSection];
}
