// POSIX stand-ins: GetPrivateProfileStringA and WritePrivateProfileStringA
// with the counts, truncation and defaults of Windows, over one kept file.
#include "platform.h"

#include <sys/stat.h>
#include <time.h>

#include <cstring>
#include <new>

#include "faults.h"
#include "foldedname.h"
#include "profilefile.h"

namespace {

// The file last read, kept while the file on disk stays the same, so that
// walking every key of a large file costs time in proportion to its size.
struct TKept
{
  std::string Path;
  struct stat Identity;
  bool Trusted = false;
  TProfile Profile;
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

// The parsed file, or null when there is no readable regular file.
const TProfile* LoadProfile(const char* pPath)
{
  struct stat identity;
  if (stat(pPath, &identity) != 0 || !S_ISREG(identity.st_mode)) {
    g_Kept = TKept();
    return nullptr;
  }
  if (g_Kept.Trusted && g_Kept.Path == pPath && SameIdentity(g_Kept.Identity, identity))
    return &g_Kept.Profile;
  g_Kept = TKept();
  struct timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  std::string text;
  if (ReadProfileText(pPath, text) != ERROR_SUCCESS) return nullptr;
  g_Kept.Profile = ParseProfile(text);
  g_Kept.Path = pPath;
  g_Kept.Identity = identity;
  // The stamp must predate the read by more than a clock tick, or a change
  // right after the read could go unseen.
  g_Kept.Trusted = Nanoseconds(identity.st_mtim) + SETTLE_NANOSECONDS < Nanoseconds(now) &&
                   Nanoseconds(identity.st_ctim) + SETTLE_NANOSECONDS < Nanoseconds(now);
  return &g_Kept.Profile;
}

// A value cut to fit: size - 1 characters and a NUL.
DWORD CopyValue(const char* pText, size_t nLength, LPSTR pOut, DWORD nSize)
{
  size_t nCopied = nLength < nSize - 1 ? nLength : nSize - 1;
  memcpy(pOut, pText, nCopied);
  pOut[nCopied] = 0;
  return static_cast<DWORD>(nCopied);
}

// Trailing spaces of the default are left out; tabs stay.
DWORD CopyDefault(LPCSTR pDefault, LPSTR pOut, DWORD nSize)
{
  if (pDefault == nullptr) pDefault = "";
  size_t nLength = strlen(pDefault);
  while (nLength > 0 && pDefault[nLength - 1] == ' ') --nLength;
  return CopyValue(pDefault, nLength, pOut, nSize);
}

// Names one after the other, each with its NUL, then one more NUL. A list
// that does not fit is cut to size - 2 characters and ends with two NULs;
// the count is then size - 2, even for a list that would fit to the last
// byte.
DWORD CopyList(const std::string& rList, LPSTR pOut, DWORD nSize)
{
  size_t nCopied = rList.copy(pOut, nSize - 2);
  pOut[nCopied] = 0;
  if (nCopied < rList.size()) pOut[nCopied + 1] = 0;
  return static_cast<DWORD>(nCopied);
}

DWORD ReadProfile(LPCSTR pSection, LPCSTR pKey, LPCSTR pDefault, LPSTR pOut, DWORD nSize,
                  LPCSTR pPath)
{
  const TProfile* pFile = (pPath && *pPath) ? LoadProfile(pPath) : nullptr;
  if (pSection == nullptr) return CopyList(pFile ? pFile->SectionList : "", pOut, nSize);
  const TProfileSection* pBlock = nullptr;
  if (pFile) {
    auto it = pFile->Index.find(FoldedName(TrimmedName(pSection)));
    if (it != pFile->Index.end()) pBlock = &pFile->Sections[it->second];
  }
  if (pKey == nullptr) {
    // A missing or empty section gives the default, as a value read would.
    if (pBlock == nullptr || pBlock->Values.empty()) return CopyDefault(pDefault, pOut, nSize);
    return CopyList(pBlock->KeyList, pOut, nSize);
  }
  if (pBlock) {
    auto it = pBlock->Keys.find(FoldedName(TrimmedName(pKey)));
    if (it != pBlock->Keys.end()) {
      const std::string& rValue = pBlock->Values[it->second];
      return CopyValue(rValue.data(), rValue.size(), pOut, nSize);
    }
  }
  return CopyDefault(pDefault, pOut, nSize);
}

BOOL WriteProfile(LPCSTR pSection, LPCSTR pKey, LPCSTR pValue, LPCSTR pPath)
{
  std::string text;
  bool bExists = false;
  mode_t nMode = 0;
  DWORD nError = ReadProfileForWrite(pPath, text, bExists, nMode);
  if (nError != 0) { SetLastError(nError); return FALSE; }
  // Nothing to change in an existing file: it is left alone. A missing one
  // is made, empty, as Windows does.
  if (!EditProfileText(text, pSection, pKey, pValue) && bExists) return TRUE;
  nError = ReplaceProfile(pPath, text, nMode);
  g_Kept = TKept();
  if (nError != 0) { SetLastError(nError); return FALSE; }
  return TRUE;
}

}  // namespace

DWORD GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault,
                               LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName)
{
  if (lpReturnedString == nullptr || nSize == 0) return 0;
  // Too small for a list and its two NULs: one NUL, nothing listed.
  if (nSize < 2 && (lpAppName == nullptr || lpKeyName == nullptr)) {
    lpReturnedString[0] = 0;
    return 0;
  }
  try {
    return ReadProfile(lpAppName, lpKeyName, lpDefault, lpReturnedString, nSize, lpFileName);
  } catch (const std::bad_alloc&) {
    // Read as a file that cannot be read, which needs no memory.
    g_Kept = TKept();
    return ReadProfile(lpAppName, lpKeyName, lpDefault, lpReturnedString, nSize, nullptr);
  }
}

BOOL WritePrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString,
                                LPCSTR lpFileName)
{
  if (FaultHit(FAULT_PROFILE_WRITE)) { SetLastError(ERROR_ACCESS_DENIED); return FALSE; }
  if (lpAppName == nullptr) { SetLastError(ERROR_FILE_NOT_FOUND); return FALSE; }
  if (lpFileName == nullptr || *lpFileName == 0) { SetLastError(ERROR_ACCESS_DENIED); return FALSE; }
  try {
    return WriteProfile(lpAppName, lpKeyName, lpString, lpFileName);
  } catch (const std::bad_alloc&) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return FALSE;
  }
}
