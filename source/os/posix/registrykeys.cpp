// POSIX only: handles of open registry keys, numbered like kernel handles.
#include "registrykeys.h"

#include <string.h>

#include "memory.h"
#include "platform_registry.h"

namespace {

TOpenKey g_CurrentUser = {0, 0, STORE_CURRENT_USER, KEY_ALL_ACCESS, const_cast<char*>(""), 0};
TOpenKey g_ClassesRoot = {0, 0, STORE_CLASSES_ROOT, KEY_ALL_ACCESS, const_cast<char*>(""), 0};
TOpenKey* g_pOpenKeys = 0;
// Handle numbers are never 0, never a root's and not reused soon, so a
// handle closed twice is recognised as such.
UINT_PTR g_nLastHandle = 0xFC;

bool IsOpenHandle(UINT_PTR nHandle)
{
  for (TOpenKey* p = g_pOpenKeys; p; p = p->pNext) {
    if (p->nHandle == nHandle) return true;
  }
  return false;
}

UINT_PTR NextHandle()
{
  do {
    g_nLastHandle = g_nLastHandle >= 0x7FFFFFF0u ? 0x100 : g_nLastHandle + 4;
  } while (IsOpenHandle(g_nLastHandle));
  return g_nLastHandle;
}

}  // namespace

HKEY AddOpenKey(TStoreRoot eRoot, REGSAM samDesired, const char* pPath, size_t nPath)
{
  TOpenKey* pKey = static_cast<TOpenKey*>(MemAlloc(sizeof(TOpenKey)));
  char* pCopy = static_cast<char*>(MemAlloc(nPath + 1));
  if (pKey == 0 || pCopy == 0) {
    MemFree(pKey);
    MemFree(pCopy);
    return 0;
  }
  memcpy(pCopy, pPath, nPath);
  pCopy[nPath] = 0;
  pKey->nHandle = NextHandle();
  pKey->eRoot = eRoot;
  pKey->samDesired = samDesired;
  pKey->pPath = pCopy;
  pKey->nPath = nPath;
  pKey->pNext = g_pOpenKeys;
  g_pOpenKeys = pKey;
  return reinterpret_cast<HKEY>(pKey->nHandle);
}

const TOpenKey* FindOpenKey(HKEY hKey)
{
  if (hKey == HKEY_CURRENT_USER) return &g_CurrentUser;
  if (hKey == HKEY_CLASSES_ROOT) return &g_ClassesRoot;
  UINT_PTR nHandle = reinterpret_cast<UINT_PTR>(hKey);
  for (TOpenKey* p = g_pOpenKeys; p; p = p->pNext) {
    if (p->nHandle == nHandle) return p;
  }
  return 0;
}

LONG RemoveOpenKey(HKEY hKey)
{
  if (hKey == HKEY_CURRENT_USER || hKey == HKEY_CLASSES_ROOT) return ERROR_SUCCESS;
  UINT_PTR nHandle = reinterpret_cast<UINT_PTR>(hKey);
  for (TOpenKey** pp = &g_pOpenKeys; *pp; pp = &(*pp)->pNext) {
    TOpenKey* pKey = *pp;
    if (pKey->nHandle != nHandle) continue;
    *pp = pKey->pNext;
    MemFree(pKey->pPath);
    MemFree(pKey);
    return ERROR_SUCCESS;
  }
  return ERROR_INVALID_HANDLE;
}
