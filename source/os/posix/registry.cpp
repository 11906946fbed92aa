// POSIX only: the registry functions and their key handles, over the store
// of registrystore.h, with the Windows result codes the program relies on.
#include "platform_registry.h"

#include <cstring>
#include <new>

#include "faults.h"
#include "registrystore.h"

namespace {

const LONG kNoAccess = 998;     // ERROR_NOACCESS: data missing where a size says there is some
const LONG kKeyDeleted = 1018;  // ERROR_KEY_DELETED: the handle's key was removed since
const LONG kRegistryIoFailed = 1016;
// Windows refuses longer key names with ERROR_INVALID_PARAMETER.
const size_t kMaxKeyName = 256;
const char kUserClassesPath[] = "Software\\Classes\\";

// What a handle stands for: a key of one root by its path in the case the
// store keeps (empty for the root), and the rights it was opened with.
struct TOpenKey
{
  TStoreRoot Root;
  REGSAM Rights;
  std::string Path;
};

const TOpenKey g_CurrentUser = {STORE_CURRENT_USER, KEY_ALL_ACCESS, ""};
const TOpenKey g_ClassesRoot = {STORE_CLASSES_ROOT, KEY_ALL_ACCESS, ""};
std::map<UINT_PTR, TOpenKey> g_OpenKeys;
// Handle numbers are never 0, never a root's and not reused soon, so a
// handle closed twice is recognised as such.
UINT_PTR g_nLastHandle = 0xFC;

const TOpenKey* FindOpenKey(HKEY hKey)
{
  if (hKey == HKEY_CURRENT_USER) return &g_CurrentUser;
  if (hKey == HKEY_CLASSES_ROOT) return &g_ClassesRoot;
  auto it = g_OpenKeys.find(reinterpret_cast<UINT_PTR>(hKey));
  return it == g_OpenKeys.end() ? nullptr : &it->second;
}

LONG OpenedKey(TStoreRoot eRoot, REGSAM samDesired, const std::string& rPath, PHKEY phkResult)
{
  do {
    g_nLastHandle = g_nLastHandle >= 0x7FFFFFF0u ? 0x100 : g_nLastHandle + 4;
  } while (g_OpenKeys.count(g_nLastHandle));
  g_OpenKeys[g_nLastHandle] = TOpenKey{eRoot, samDesired, rPath};
  *phkResult = reinterpret_cast<HKEY>(g_nLastHandle);
  return ERROR_SUCCESS;
}

// Each stand-in answers what the standard library throws as Windows would.
template <class TCall> LONG Guarded(TCall call)
{
  try {
    return call();
  } catch (const std::bad_alloc&) {
    return ERROR_NOT_ENOUGH_MEMORY;
  } catch (...) {
    return kRegistryIoFailed;
  }
}

// rPath := the parent's path followed by the subkey's names. Trailing and
// doubled backslashes are dropped; a leading one is refused, as Windows does.
LONG JoinKeyPath(const TOpenKey& rParent, const char* pSubKey, std::string& rPath)
{
  rPath = rParent.Path;
  if (pSubKey == nullptr) return ERROR_SUCCESS;
  if (pSubKey[0] == '\\') return ERROR_BAD_PATHNAME;
  for (const char* pName = pSubKey; *pName;) {
    size_t nName = strcspn(pName, "\\");
    if (nName > kMaxKeyName) return ERROR_INVALID_PARAMETER;
    if (nName > 0) rPath += (rPath.empty() ? "" : "\\") + std::string(pName, nName);
    pName += pName[nName] ? nName + 1 : nName;
  }
  return ERROR_SUCCESS;
}

// Opens a key that is there, under the parent that must still be there.
LONG OpenStoredKey(TStoreRoot eRoot, const std::string& rParent, REGSAM samDesired,
                   const std::string& rPath, PHKEY phkResult)
{
  TStore store = ReadStore(eRoot);
  if (!HasKey(store, rParent)) return kKeyDeleted;
  if (rPath.empty()) return OpenedKey(eRoot, samDesired, rPath, phkResult);
  auto it = store.find(rPath);
  if (it == store.end()) return ERROR_FILE_NOT_FOUND;
  // The handle carries the case the store keeps.
  return OpenedKey(eRoot, samDesired, it->first, phkResult);
}

// Sets or, with pNew null, deletes a value of the handle's key.
LONG ChangeValue(const TOpenKey& rKey, const char* pName, const TStoreValue* pNew)
{
  TStoreChange change(rKey.Root);
  if (change.Status() != ERROR_SUCCESS) return change.Status();
  TStore& rStore = change.Store();
  if (!HasKey(rStore, rKey.Path)) return kKeyDeleted;
  std::string name = pName ? pName : "";
  auto it = rStore.find(rKey.Path);
  TStoreValue* pOld = it == rStore.end() ? nullptr : it->second.Find(name);
  if (pNew == nullptr) {
    if (pOld == nullptr) return ERROR_FILE_NOT_FOUND;
    it->second.Values.erase(it->second.Values.begin() + (pOld - it->second.Values.data()));
  } else if (pOld) {
    // A replaced value keeps the name it was created with.
    pOld->Type = pNew->Type;
    pOld->Bytes = pNew->Bytes;
  } else {
    rStore[rKey.Path].Values.push_back(*pNew);
  }
  return change.Commit();
}

LONG CreateKey(const TOpenKey& rParent, const char* pSubKey, REGSAM samDesired, PHKEY phkResult,
               LPDWORD lpdwDisposition)
{
  std::string path;
  LONG lResult = JoinKeyPath(rParent, pSubKey, path);
  if (lResult != ERROR_SUCCESS) return lResult;
  TStoreChange change(rParent.Root);
  if (change.Status() != ERROR_SUCCESS) return change.Status();
  TStore& rStore = change.Store();
  // The parent's rights do not matter, but the parent must still be there.
  if (!HasKey(rStore, rParent.Path)) return kKeyDeleted;
  // Each parent in turn, then the key itself, taking the case stored.
  bool bCreated = false;
  bool bAdded = false;
  for (size_t nEnd = 1; nEnd <= path.size(); ++nEnd) {
    if (nEnd < path.size() && path[nEnd] != '\\') continue;
    auto it = rStore.find(path.substr(0, nEnd));
    bCreated = it == rStore.end();
    if (bCreated) rStore[path.substr(0, nEnd)];
    else path.replace(0, nEnd, it->first);
    bAdded = bAdded || bCreated;
  }
  if (bAdded && (lResult = change.Commit()) != ERROR_SUCCESS) return lResult;
  if (lpdwDisposition) *lpdwDisposition = bCreated ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  return OpenedKey(rParent.Root, samDesired, path, phkResult);
}

LONG OpenKey(HKEY hKey, const TOpenKey& rParent, const char* pSubKey, REGSAM samDesired,
             PHKEY phkResult)
{
  std::string path;
  LONG lResult = JoinKeyPath(rParent, pSubKey, path);
  if (lResult != ERROR_SUCCESS) return lResult;
  // HKEY_CLASSES_ROOT shows the user's own classes before the machine's, as
  // Windows merges HKEY_CURRENT_USER\Software\Classes into it.
  if (hKey == HKEY_CLASSES_ROOT && !path.empty()) {
    lResult = OpenStoredKey(STORE_CURRENT_USER, "", samDesired, kUserClassesPath + path, phkResult);
    if (lResult != ERROR_FILE_NOT_FOUND) return lResult;
  }
  return OpenStoredKey(rParent.Root, rParent.Path, samDesired, path, phkResult);
}

LONG QueryValue(const TOpenKey& rKey, const char* pName, LPDWORD lpType, LPBYTE lpData,
                LPDWORD lpcbData)
{
  TStore store = ReadStore(rKey.Root);
  if (!HasKey(store, rKey.Path)) return kKeyDeleted;
  auto it = store.find(rKey.Path);
  const TStoreValue* pValue = it == store.end() ? nullptr : it->second.Find(pName ? pName : "");
  if (pValue == nullptr) {
    if (lpData == nullptr && lpcbData) *lpcbData = 0;
    return ERROR_FILE_NOT_FOUND;
  }
  if (lpType) *lpType = pValue->Type;
  DWORD dwSize = static_cast<DWORD>(pValue->Bytes.size());
  // Too small a buffer is left as it was.
  LONG lResult = lpData && *lpcbData < dwSize ? ERROR_MORE_DATA : ERROR_SUCCESS;
  if (lpData && lResult == ERROR_SUCCESS) memcpy(lpData, pValue->Bytes.data(), dwSize);
  if (lpcbData) *lpcbData = dwSize;
  return lResult;
}

}  // namespace

LONG RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, LPSTR, DWORD, REGSAM samDesired,
                     LPSECURITY_ATTRIBUTES, PHKEY phkResult, LPDWORD lpdwDisposition)
{
  const TOpenKey* pParent = FindOpenKey(hKey);
  if (pParent == nullptr) return ERROR_INVALID_HANDLE;
  if (phkResult == nullptr) return ERROR_INVALID_PARAMETER;
  *phkResult = nullptr;
  if (FaultHit(FAULT_REG_CREATE_KEY)) return ERROR_ACCESS_DENIED;
  return Guarded([&] { return CreateKey(*pParent, lpSubKey, samDesired, phkResult, lpdwDisposition); });
}

LONG RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, REGSAM samDesired, PHKEY phkResult)
{
  const TOpenKey* pParent = FindOpenKey(hKey);
  if (pParent == nullptr) return ERROR_INVALID_HANDLE;
  if (phkResult == nullptr) return ERROR_INVALID_PARAMETER;
  *phkResult = nullptr;
  return Guarded([&] { return OpenKey(hKey, *pParent, lpSubKey, samDesired, phkResult); });
}

LONG RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD, LPDWORD lpType, LPBYTE lpData,
                      LPDWORD lpcbData)
{
  const TOpenKey* pKey = FindOpenKey(hKey);
  if (pKey == nullptr) return ERROR_INVALID_HANDLE;
  if (lpData != nullptr && lpcbData == nullptr) return ERROR_INVALID_PARAMETER;
  if ((pKey->Rights & KEY_QUERY_VALUE) == 0) return ERROR_ACCESS_DENIED;
  return Guarded([&] { return QueryValue(*pKey, lpValueName, lpType, lpData, lpcbData); });
}

LONG RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData,
                    DWORD cbData)
{
  const TOpenKey* pKey = FindOpenKey(hKey);
  if (pKey == nullptr) return ERROR_INVALID_HANDLE;
  if ((pKey->Rights & KEY_SET_VALUE) == 0) return ERROR_ACCESS_DENIED;
  if (FaultHit(FAULT_REG_SET_VALUE)) return ERROR_ACCESS_DENIED;
  if (lpData == nullptr && cbData != 0) return kNoAccess;
  return Guarded([&] {
    TStoreValue value{lpValueName ? lpValueName : "", dwType,
                      lpData ? std::string(reinterpret_cast<const char*>(lpData), cbData) : std::string()};
    return ChangeValue(*pKey, lpValueName, &value);
  });
}

LONG RegDeleteValueA(HKEY hKey, LPCSTR lpValueName)
{
  const TOpenKey* pKey = FindOpenKey(hKey);
  if (pKey == nullptr) return ERROR_INVALID_HANDLE;
  if ((pKey->Rights & KEY_SET_VALUE) == 0) return ERROR_ACCESS_DENIED;
  return Guarded([&] { return ChangeValue(*pKey, lpValueName, nullptr); });
}

// Closing a root does nothing.
LONG RegCloseKey(HKEY hKey)
{
  if (hKey == HKEY_CURRENT_USER || hKey == HKEY_CLASSES_ROOT) return ERROR_SUCCESS;
  return g_OpenKeys.erase(reinterpret_cast<UINT_PTR>(hKey)) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}
