// POSIX only: the registry functions over the store of registryfile.h, with
// the Windows result codes for what the program relies on.
#include "platform_registry.h"

#include <string.h>

#include "faults.h"
#include "registrycontent.h"
#include "registryfile.h"
#include "registrykeys.h"

namespace {

const LONG kNoAccess = 998;     // ERROR_NOACCESS: data missing where a size says there is some
const LONG kKeyDeleted = 1018;  // ERROR_KEY_DELETED: the handle's key was removed since
// Windows refuses longer key names with ERROR_INVALID_PARAMETER.
const size_t kMaxKeyName = 256;
const char USER_CLASSES_PATH[] = "Software\\Classes\\";

size_t NameLength(const char* pName) { return pName ? strlen(pName) : 0; }

// rPath := the parent's path followed by the subkey's names. Trailing and
// doubled backslashes are dropped; a leading one is refused, as Windows does.
LONG JoinKeyPath(const TOpenKey& rParent, const char* pSubKey, TText& rPath)
{
  if (!rPath.Assign(rParent.pPath, rParent.nPath)) return ERROR_NOT_ENOUGH_MEMORY;
  if (pSubKey == 0) return ERROR_SUCCESS;
  if (pSubKey[0] == '\\') return ERROR_BAD_PATHNAME;
  const char* pName = pSubKey;
  while (*pName) {
    const char* pEnd = pName;
    while (*pEnd && *pEnd != '\\') ++pEnd;
    size_t nName = static_cast<size_t>(pEnd - pName);
    if (nName > kMaxKeyName) return ERROR_INVALID_PARAMETER;
    if (nName > 0 && ((!rPath.IsEmpty() && !rPath.Append("\\", 1)) || !rPath.Append(pName, nName))) {
      return ERROR_NOT_ENOUGH_MEMORY;
    }
    pName = *pEnd ? pEnd + 1 : pEnd;
  }
  return ERROR_SUCCESS;
}

// Hands out a handle for a key and tells the caller.
LONG OpenedKey(TStoreRoot eRoot, REGSAM samDesired, const TText& rPath, PHKEY phkResult)
{
  HKEY hKey = AddOpenKey(eRoot, samDesired, rPath.Text(), rPath.GetLength());
  if (hKey == 0) return ERROR_NOT_ENOUGH_MEMORY;
  *phkResult = hKey;
  return ERROR_SUCCESS;
}

// Opens a key that is there, under the parent that must still be there.
LONG OpenStoredKey(TStoreRoot eRoot, const char* pParent, size_t nParent, REGSAM samDesired,
                   TText& rPath, PHKEY phkResult)
{
  TText content;
  ReadStore(eRoot, content);
  if (!FindStoreKey(content, pParent, nParent, 0)) return kKeyDeleted;
  TStoreRecord key;
  if (!FindStoreKey(content, rPath.Text(), rPath.GetLength(), &key)) return ERROR_FILE_NOT_FOUND;
  // The handle carries the case the store keeps.
  if (!rPath.IsEmpty()) memcpy(rPath.Buffer(), key.pName, rPath.GetLength());
  return OpenedKey(eRoot, samDesired, rPath, phkResult);
}

// Sets or, with pNew null, deletes a value of the handle's key.
LONG ChangeValue(const TOpenKey& rKey, const char* pName, const TNewValue* pNew)
{
  TStoreChange change(rKey.eRoot);
  if (change.Status() != ERROR_SUCCESS) return change.Status();
  TText content;
  bool bKeyFound = false;
  bool bValueFound = false;
  if (!EditStoreValue(change.Content(), rKey.pPath, rKey.nPath, pName ? pName : "",
                      NameLength(pName), pNew, content, bKeyFound, bValueFound)) {
    return ERROR_NOT_ENOUGH_MEMORY;
  }
  if (!bKeyFound) return kKeyDeleted;
  if (pNew == 0 && !bValueFound) return ERROR_FILE_NOT_FOUND;
  return change.Commit(content);
}

}  // namespace

LONG RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, LPSTR, DWORD, REGSAM samDesired,
                     LPSECURITY_ATTRIBUTES, PHKEY phkResult, LPDWORD lpdwDisposition)
{
  const TOpenKey* pParent = FindOpenKey(hKey);
  if (pParent == 0) return ERROR_INVALID_HANDLE;
  if (phkResult == 0) return ERROR_INVALID_PARAMETER;
  *phkResult = 0;
  if (FaultHit(FAULT_REG_CREATE_KEY)) return ERROR_ACCESS_DENIED;
  TText path;
  LONG lResult = JoinKeyPath(*pParent, lpSubKey, path);
  if (lResult != ERROR_SUCCESS) return lResult;

  TStoreChange change(pParent->eRoot);
  if (change.Status() != ERROR_SUCCESS) return change.Status();
  const TText& rContent = change.Content();
  // The parent's rights do not matter, but the parent must still be there.
  if (!FindStoreKey(rContent, pParent->pPath, pParent->nPath, 0)) return kKeyDeleted;
  TText added;
  bool bCreated = false;
  if (!PrepareStoreKeys(rContent, path, added, bCreated)) return ERROR_NOT_ENOUGH_MEMORY;
  if (!added.IsEmpty()) {
    TText content;
    bool bJoined = rContent.IsEmpty() ? AppendStoreHeader(content)
                                      : content.Assign(rContent.Text(), rContent.GetLength());
    if (!bJoined || !content.Append(added.Text(), added.GetLength())) {
      return ERROR_NOT_ENOUGH_MEMORY;
    }
    lResult = change.Commit(content);
    if (lResult != ERROR_SUCCESS) return lResult;
  }
  if (lpdwDisposition) *lpdwDisposition = bCreated ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  return OpenedKey(pParent->eRoot, samDesired, path, phkResult);
}

LONG RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, REGSAM samDesired, PHKEY phkResult)
{
  const TOpenKey* pParent = FindOpenKey(hKey);
  if (pParent == 0) return ERROR_INVALID_HANDLE;
  if (phkResult == 0) return ERROR_INVALID_PARAMETER;
  *phkResult = 0;
  TText path;
  LONG lResult = JoinKeyPath(*pParent, lpSubKey, path);
  if (lResult != ERROR_SUCCESS) return lResult;

  // HKEY_CLASSES_ROOT shows the user's own classes before the machine's, as
  // Windows merges HKEY_CURRENT_USER\Software\Classes into it.
  if (hKey == HKEY_CLASSES_ROOT && !path.IsEmpty()) {
    TText userPath;
    if (!userPath.Assign(USER_CLASSES_PATH) || !userPath.Append(path.Text(), path.GetLength()))
      return ERROR_NOT_ENOUGH_MEMORY;
    lResult = OpenStoredKey(STORE_CURRENT_USER, "", 0, samDesired, userPath, phkResult);
    if (lResult != ERROR_FILE_NOT_FOUND) return lResult;
  }
  return OpenStoredKey(pParent->eRoot, pParent->pPath, pParent->nPath, samDesired, path, phkResult);
}

LONG RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD, LPDWORD lpType,
                      LPBYTE lpData, LPDWORD lpcbData)
{
  const TOpenKey* pKey = FindOpenKey(hKey);
  if (pKey == 0) return ERROR_INVALID_HANDLE;
  if (lpData != 0 && lpcbData == 0) return ERROR_INVALID_PARAMETER;
  if ((pKey->samDesired & KEY_QUERY_VALUE) == 0) return ERROR_ACCESS_DENIED;

  TText content;
  ReadStore(pKey->eRoot, content);
  if (!FindStoreKey(content, pKey->pPath, pKey->nPath, 0)) return kKeyDeleted;
  TStoreRecord value;
  if (!FindStoreValue(content, pKey->pPath, pKey->nPath, lpValueName ? lpValueName : "",
                      NameLength(lpValueName), value)) {
    if (lpData == 0 && lpcbData != 0) *lpcbData = 0;
    return ERROR_FILE_NOT_FOUND;
  }
  if (lpType) *lpType = value.dwType;
  DWORD dwSize = static_cast<DWORD>(value.nData);
  if (lpData == 0) {
    if (lpcbData) *lpcbData = dwSize;
    return ERROR_SUCCESS;
  }
  // Too small a buffer is left as it was.
  if (*lpcbData < dwSize) {
    *lpcbData = dwSize;
    return ERROR_MORE_DATA;
  }
  DecodeValueData(value, lpData);
  *lpcbData = dwSize;
  return ERROR_SUCCESS;
}

LONG RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData,
                    DWORD cbData)
{
  const TOpenKey* pKey = FindOpenKey(hKey);
  if (pKey == 0) return ERROR_INVALID_HANDLE;
  if ((pKey->samDesired & KEY_SET_VALUE) == 0) return ERROR_ACCESS_DENIED;
  if (FaultHit(FAULT_REG_SET_VALUE)) return ERROR_ACCESS_DENIED;
  if (lpData == 0 && cbData != 0) return kNoAccess;
  TNewValue value = {lpValueName ? lpValueName : "", NameLength(lpValueName), dwType, lpData,
                     cbData};
  return ChangeValue(*pKey, lpValueName, &value);
}

LONG RegDeleteValueA(HKEY hKey, LPCSTR lpValueName)
{
  const TOpenKey* pKey = FindOpenKey(hKey);
  if (pKey == 0) return ERROR_INVALID_HANDLE;
  if ((pKey->samDesired & KEY_SET_VALUE) == 0) return ERROR_ACCESS_DENIED;
  return ChangeValue(*pKey, lpValueName, 0);
}

LONG RegCloseKey(HKEY hKey) { return RemoveOpenKey(hKey); }

LONG RegDeleteTreeA(HKEY hKey, LPCSTR lpSubKey)
{
  const TOpenKey* pKey = FindOpenKey(hKey);
  if (pKey == 0) return ERROR_INVALID_HANDLE;
  TText path;
  LONG lResult = JoinKeyPath(*pKey, lpSubKey, path);
  if (lResult != ERROR_SUCCESS) return lResult;

  TStoreChange change(pKey->eRoot);
  if (change.Status() != ERROR_SUCCESS) return change.Status();
  if (!FindStoreKey(change.Content(), pKey->pPath, pKey->nPath, 0)) return kKeyDeleted;
  if (!FindStoreKey(change.Content(), path.Text(), path.GetLength(), 0)) return ERROR_FILE_NOT_FOUND;
  // Without a subkey the key stays and only what it holds goes.
  bool bKeepKey = lpSubKey == 0 || lpSubKey[0] == 0;
  TText content;
  if (!DeleteStoreTree(change.Content(), path.Text(), path.GetLength(), bKeepKey, content)) {
    return ERROR_NOT_ENOUGH_MEMORY;
  }
  return change.Commit(content);
}
