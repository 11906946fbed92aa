// POSIX only: the registry functions and their key handles, over the store
// of registrystore.h, with the Windows result codes the program relies on.
#include "platform_registry.h"

#include <algorithm>
#include <cstring>

#include "faults.h"
#include "registrystore.h"

namespace {

// Windows refuses longer key names with ERROR_INVALID_PARAMETER.
const size_t MAX_KEY_NAME = 256;
const char USER_CLASSES_PATH[] = "Software\\Classes\\";

// What a handle stands for: a key of one root by its path in the case the
// store keeps (empty for the root), and the rights it was opened with (of
// which only KEY_SET_VALUE is ever asked for).
struct TOpenKey
{
  TStoreRoot Root;
  REGSAM Rights;
  std::string Path;
};

std::map<UINT_PTR, TOpenKey> g_OpenKeys;
// Handle numbers are never 0 nor a root's, and never reused, so a handle
// closed twice is recognised as such.
UINT_PTR g_nLastHandle = 0xFC;

const TOpenKey* FindOpenKey(HKEY hKey)
{
  static const TOpenKey s_CurrentUser = {STORE_CURRENT_USER, KEY_ALL_ACCESS, ""};
  static const TOpenKey s_ClassesRoot = {STORE_CLASSES_ROOT, KEY_ALL_ACCESS, ""};
  static const TOpenKey s_LocalMachine = {STORE_LOCAL_MACHINE, KEY_ALL_ACCESS, ""};
  if (hKey == HKEY_CURRENT_USER) return &s_CurrentUser;
  if (hKey == HKEY_CLASSES_ROOT) return &s_ClassesRoot;
  if (hKey == HKEY_LOCAL_MACHINE) return &s_LocalMachine;
  auto it = g_OpenKeys.find(reinterpret_cast<UINT_PTR>(hKey));
  return it == g_OpenKeys.end() ? nullptr : &it->second;
}

LONG OpenedKey(TStoreRoot eRoot, REGSAM samDesired, const std::string& rPath, PHKEY phkResult)
{
  g_nLastHandle += 4;
  g_OpenKeys[g_nLastHandle] = TOpenKey{eRoot, samDesired, rPath};
  *phkResult = reinterpret_cast<HKEY>(g_nLastHandle);
  return ERROR_SUCCESS;
}

// Only allocation throws in the stand-ins; Windows answers it with this code.
template <class TCall>
LONG Guarded(TCall call)
{
  try {
    return call();
  } catch (...) {
    return ERROR_NOT_ENOUGH_MEMORY;
  }
}

// rPath := the parent's path followed by the subkey's names. Trailing and
// doubled backslashes are dropped; a leading one is refused, as Windows does.
LONG JoinKeyPath(const std::string& rParent, const char* pSubKey, std::string& rPath)
{
  if (pSubKey[0] == '\\') return ERROR_BAD_PATHNAME;
  rPath = rParent;
  for (const char* pName = pSubKey; *pName;) {
    size_t nName = strcspn(pName, "\\");
    if (nName > MAX_KEY_NAME) return ERROR_INVALID_PARAMETER;
    if (!rPath.empty()) rPath += '\\';
    rPath.append(pName, nName);
    pName += nName + strspn(pName + nName, "\\");
  }
  return ERROR_SUCCESS;
}

// Opens a key that is there; the handle carries the case the store keeps.
LONG OpenStoredKey(TStoreRoot eRoot, const std::string& rPath, REGSAM samDesired, PHKEY phkResult)
{
  if (rPath.empty()) return OpenedKey(eRoot, samDesired, rPath, phkResult);
  TStore store = ReadStore(eRoot);
  auto it = store.find(rPath);
  return it == store.end() ? ERROR_FILE_NOT_FOUND
                           : OpenedKey(eRoot, samDesired, it->first, phkResult);
}

// Makes each missing key along the path, taking the case stored for those
// there; *pbCreated tells whether the last one, the key itself, was new.
LONG CreateKeyPath(TStoreRoot eRoot, std::string& rPath, bool* pbCreated)
{
  TStoreChange change(eRoot);
  if (change.Status() != ERROR_SUCCESS) return change.Status();
  bool bAdded = false;
  *pbCreated = false;
  for (size_t nEnd = 0; nEnd < rPath.size();) {
    nEnd = std::min(rPath.find('\\', nEnd + 1), rPath.size());
    auto [it, bNew] = change.Store().try_emplace(rPath.substr(0, nEnd));
    rPath.replace(0, nEnd, it->first);
    *pbCreated = bNew;
    bAdded = bAdded || bNew;
  }
  return bAdded ? change.Commit() : ERROR_SUCCESS;
}

}  // namespace

LONG RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, LPSTR, DWORD, REGSAM samDesired,
                     LPSECURITY_ATTRIBUTES, PHKEY phkResult, LPDWORD lpdwDisposition)
{
  const TOpenKey* pParent = FindOpenKey(hKey);
  if (pParent == nullptr) return ERROR_INVALID_HANDLE;
  if (FaultHit(FAULT_REG_CREATE_KEY)) return ERROR_ACCESS_DENIED;
  return Guarded([&]() -> LONG {
    std::string path;
    bool bCreated = false;
    LONG lResult = JoinKeyPath(pParent->Path, lpSubKey, path);
    if (lResult == ERROR_SUCCESS) lResult = CreateKeyPath(pParent->Root, path, &bCreated);
    if (lResult != ERROR_SUCCESS) return lResult;
    if (lpdwDisposition)
      *lpdwDisposition = bCreated ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return OpenedKey(pParent->Root, samDesired, path, phkResult);
  });
}

LONG RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, REGSAM samDesired, PHKEY phkResult)
{
  const TOpenKey* pParent = FindOpenKey(hKey);
  if (pParent == nullptr) return ERROR_INVALID_HANDLE;
  return Guarded([&]() -> LONG {
    std::string path;
    LONG lResult = JoinKeyPath(pParent->Path, lpSubKey, path);
    if (lResult != ERROR_SUCCESS) return lResult;
    // HKEY_CLASSES_ROOT shows the user's own classes before the machine's, as
    // Windows merges HKEY_CURRENT_USER\Software\Classes into it.
    if (hKey == HKEY_CLASSES_ROOT && !path.empty()) {
      lResult = OpenStoredKey(STORE_CURRENT_USER, USER_CLASSES_PATH + path, samDesired, phkResult);
      if (lResult != ERROR_FILE_NOT_FOUND) return lResult;
    }
    return OpenStoredKey(pParent->Root, path, samDesired, phkResult);
  });
}

LONG RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD, LPDWORD lpType, LPBYTE lpData,
                      LPDWORD lpcbData)
{
  const TOpenKey* pKey = FindOpenKey(hKey);
  if (pKey == nullptr) return ERROR_INVALID_HANDLE;
  return Guarded([&]() -> LONG {
    TStore store = ReadStore(pKey->Root);
    auto itKey = store.find(pKey->Path);
    if (itKey == store.end()) return ERROR_FILE_NOT_FOUND;
    auto itValue = FindValue(itKey->second, lpValueName ? lpValueName : "");
    if (itValue == itKey->second.end()) return ERROR_FILE_NOT_FOUND;
    if (lpType) *lpType = itValue->Type;
    DWORD dwSize = static_cast<DWORD>(itValue->Bytes.size());
    // Too small a buffer is left as it was.
    LONG lResult = lpData && *lpcbData < dwSize ? ERROR_MORE_DATA : ERROR_SUCCESS;
    if (lpData && lResult == ERROR_SUCCESS) memcpy(lpData, itValue->Bytes.data(), dwSize);
    *lpcbData = dwSize;
    return lResult;
  });
}

LONG RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData,
                    DWORD cbData)
{
  const TOpenKey* pKey = FindOpenKey(hKey);
  if (pKey == nullptr) return ERROR_INVALID_HANDLE;
  if ((pKey->Rights & KEY_SET_VALUE) == 0) return ERROR_ACCESS_DENIED;
  if (FaultHit(FAULT_REG_SET_VALUE)) return ERROR_ACCESS_DENIED;
  return Guarded([&]() -> LONG {
    TStoreChange change(pKey->Root);
    if (change.Status() != ERROR_SUCCESS) return change.Status();
    std::string name = lpValueName ? lpValueName : "";
    TStoreValues& rValues = change.Store()[pKey->Path];
    auto it = FindValue(rValues, name);
    // Set again, a value keeps the case its name was created with.
    if (it == rValues.end()) it = rValues.insert(it, TStoreValue{name, dwType, ""});
    it->Type = dwType;
    it->Bytes.assign(reinterpret_cast<const char*>(lpData), cbData);
    return change.Commit();
  });
}

LONG RegDeleteValueA(HKEY hKey, LPCSTR lpValueName)
{
  const TOpenKey* pKey = FindOpenKey(hKey);
  if (pKey == nullptr) return ERROR_INVALID_HANDLE;
  if ((pKey->Rights & KEY_SET_VALUE) == 0) return ERROR_ACCESS_DENIED;
  return Guarded([&]() -> LONG {
    TStoreChange change(pKey->Root);
    if (change.Status() != ERROR_SUCCESS) return change.Status();
    TStoreValues& rValues = change.Store()[pKey->Path];
    auto it = FindValue(rValues, lpValueName ? lpValueName : "");
    if (it == rValues.end()) return ERROR_FILE_NOT_FOUND;
    rValues.erase(it);
    return change.Commit();
  });
}

LONG RegCloseKey(HKEY hKey)
{
  return g_OpenKeys.erase(reinterpret_cast<UINT_PTR>(hKey)) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}
