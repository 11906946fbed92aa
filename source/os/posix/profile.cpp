// POSIX stand-ins: GetPrivateProfileStringA and WritePrivateProfileStringA
// with the counts, truncation and defaults of Windows.
#include "platform.h"

#include <string.h>

#include "faults.h"
#include "profilecache.h"
#include "profileedit.h"
#include "profilestore.h"
#include "text.h"

namespace {

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
  if (pDefault == 0) pDefault = "";
  size_t nLength = strlen(pDefault);
  while (nLength > 0 && pDefault[nLength - 1] == ' ') --nLength;
  return CopyValue(pDefault, nLength, pOut, nSize);
}

// Names one after the other, each with its NUL, then one more NUL. A list
// that does not fit is cut to size - 2 characters and ends with two NULs;
// the count is then size - 2, even for a list that would fit to the last
// byte.
DWORD CopyList(const char* pList, size_t nLength, LPSTR pOut, DWORD nSize)
{
  size_t nRoom = nSize - 2;
  if (pList == 0 || nLength == 0) {
    pOut[0] = 0;
    return 0;
  }
  if (nLength <= nRoom) {
    memcpy(pOut, pList, nLength);
    pOut[nLength] = 0;
    return static_cast<DWORD>(nLength);
  }
  memcpy(pOut, pList, nRoom);
  pOut[nRoom] = 0;
  pOut[nRoom + 1] = 0;
  return static_cast<DWORD>(nRoom);
}

DWORD ReadProfile(LPCSTR pSection, LPCSTR pKey, LPCSTR pDefault, LPSTR pOut, DWORD nSize,
                  LPCSTR pPath)
{
  const TProfileFile* pFile = (pPath && *pPath) ? LoadProfile(pPath) : 0;
  size_t nLength = 0;
  if (pSection == 0) {
    const char* pList = pFile ? ProfileSectionList(pFile, &nLength) : 0;
    return CopyList(pList, nLength, pOut, nSize);
  }
  long nSection = pFile ? FindProfileSection(pFile, pSection) : -1;
  if (pKey == 0) {
    // A missing or empty section gives the default, as a value read would.
    if (nSection < 0 || pFile->pSections[nSection].nKeyCount == 0)
      return CopyDefault(pDefault, pOut, nSize);
    const char* pList = ProfileKeyList(pFile, static_cast<size_t>(nSection), &nLength);
    return CopyList(pList, nLength, pOut, nSize);
  }
  long nKey = nSection >= 0 ? FindProfileKey(pFile, static_cast<size_t>(nSection), pKey) : -1;
  if (nKey < 0) return CopyDefault(pDefault, pOut, nSize);
  const TProfileKey& rKey = pFile->pKeys[nKey];
  return CopyValue(rKey.pValue, rKey.nValueLength, pOut, nSize);
}

}  // namespace

DWORD GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault,
                               LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName)
{
  if (lpReturnedString == 0 || nSize == 0) return 0;
  // Too small for a list and its two NULs: one NUL, nothing listed.
  if (nSize < 2 && (lpAppName == 0 || lpKeyName == 0)) {
    lpReturnedString[0] = 0;
    return 0;
  }
  return ReadProfile(lpAppName, lpKeyName, lpDefault, lpReturnedString, nSize, lpFileName);
}

BOOL WritePrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString,
                                LPCSTR lpFileName)
{
  if (FaultHit(FAULT_PROFILE_WRITE)) { SetLastError(ERROR_ACCESS_DENIED); return FALSE; }
  if (lpAppName == 0) { SetLastError(ERROR_FILE_NOT_FOUND); return FALSE; }
  if (lpFileName == 0 || *lpFileName == 0) { SetLastError(ERROR_ACCESS_DENIED); return FALSE; }
  TProfileOnDisk disk;
  DWORD nError = ReadProfileForWrite(lpFileName, disk);
  if (nError != 0) { SetLastError(nError); return FALSE; }
  TText edited;
  TProfileEditResult eEdit = EditProfileText(disk.text.Text(), disk.text.GetLength(), lpAppName,
                                             lpKeyName, lpString, edited);
  if (eEdit == PROFILE_EDIT_NO_MEMORY) { SetLastError(ERROR_NOT_ENOUGH_MEMORY); return FALSE; }
  // Nothing to change in an existing file: it is left alone. A missing one
  // is made, empty, as Windows does.
  if (eEdit == PROFILE_EDIT_UNCHANGED && disk.bExists) return TRUE;
  const TText& rNew = eEdit == PROFILE_EDIT_CHANGED ? edited : disk.text;
  nError = ReplaceProfile(lpFileName, rNew.Text(), rNew.GetLength(), disk.nMode);
  ForgetProfile();
  if (nError != 0) { SetLastError(nError); return FALSE; }
  return TRUE;
}
