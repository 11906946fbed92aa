// POSIX stand-ins: GetPrivateProfileStringA and WritePrivateProfileStringA
// with the counts, truncation and defaults of Windows, over one kept file.
#include "platform.h"

#include <sys/stat.h>
#include <time.h>

#include <cstdint>
#include <new>
#include <string_view>

#include "faults.h"
#include "profilefile.h"
#include "wholefile.h"

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
const TProfile NO_FILE;

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

// The parsed file, or NO_FILE when there is no readable regular file.
const TProfile& LoadProfile(const char* pPath)
{
  struct stat identity;
  bool bFile = stat(pPath, &identity) == 0 && S_ISREG(identity.st_mode);
  if (bFile && g_Kept.Trusted && g_Kept.Path == pPath && SameIdentity(g_Kept.Identity, identity))
    return g_Kept.Profile;
  g_Kept = TKept();
  struct timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  std::string text;
  if (!bFile || ReadFileBytes(pPath, text, SIZE_MAX) != 0) return NO_FILE;
  g_Kept.Profile = ParseProfile(text);
  g_Kept.Path = pPath;
  g_Kept.Identity = identity;
  // The stamp must predate the read by more than a clock tick, or a change
  // right after the read could go unseen.
  g_Kept.Trusted = Nanoseconds(identity.st_mtim) + SETTLE_NANOSECONDS < Nanoseconds(now) &&
                   Nanoseconds(identity.st_ctim) + SETTLE_NANOSECONDS < Nanoseconds(now);
  return g_Kept.Profile;
}

// A value is cut to fit: size - 1 characters and a NUL. A list is its names
// one after the other, each with its NUL, then one more NUL; a list that
// does not fit is cut to size - 2 characters and ends with two NULs, and the
// count is then size - 2, even for a list that would fit to the last byte.
DWORD CopyOut(std::string_view text, bool bList, LPSTR pOut, DWORD nSize)
{
  size_t nCopied = text.copy(pOut, nSize - (bList ? 2 : 1));
  pOut[nCopied] = 0;
  if (bList && nCopied < text.size()) pOut[nCopied + 1] = 0;
  return static_cast<DWORD>(nCopied);
}

// What is missing reads as the default, and so does the key list of an
// empty section.
DWORD ReadProfile(const TProfile& rFile, LPCSTR pSection, LPCSTR pKey, LPCSTR pDefault, LPSTR pOut,
                  DWORD nSize)
{
  if (pSection == nullptr) return CopyOut(rFile.SectionList, true, pOut, nSize);
  auto section = rFile.Sections.find(ProfileName(pSection));
  if (section == rFile.Sections.end()) return CopyOut(pDefault, false, pOut, nSize);
  const TProfileSection& rFound = section->second;
  if (pKey == nullptr && !rFound.Values.empty()) return CopyOut(rFound.KeyList, true, pOut, nSize);
  auto value = pKey ? rFound.Values.find(ProfileName(pKey)) : rFound.Values.end();
  if (value == rFound.Values.end()) return CopyOut(pDefault, false, pOut, nSize);
  return CopyOut(value->second, false, pOut, nSize);
}

}  // namespace

DWORD GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault,
                               LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName)
{
  try {
    return ReadProfile(LoadProfile(lpFileName), lpAppName, lpKeyName, lpDefault, lpReturnedString,
                       nSize);
  } catch (const std::bad_alloc&) {
    // Read as a file that cannot be read, which needs no memory.
    g_Kept = TKept();
    if (lpAppName == nullptr) return CopyOut("", true, lpReturnedString, nSize);
    return CopyOut(lpDefault, false, lpReturnedString, nSize);
  }
}

BOOL WritePrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString,
                                LPCSTR lpFileName)
{
  if (FaultHit(FAULT_PROFILE_WRITE)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  DWORD nError;
  try {
    nError = WriteProfileValue(lpFileName, lpAppName, lpKeyName, lpString);
  } catch (const std::bad_alloc&) {
    nError = ERROR_NOT_ENOUGH_MEMORY;
  }
  g_Kept = TKept();  // the next read parses the file as it now is
  if (nError != ERROR_SUCCESS) SetLastError(nError);
  return nError == ERROR_SUCCESS;
}
