#include "tregkey.h"

#include <string.h>

#include "contract.h"
#include "environmenttext.h"

namespace {

const char CONTRACT_SOURCE[] = "source/os/filesystem/tregkey";
// Create belongs to the holder class, and its report says so.
const char HOLDER_CONTRACT_SOURCE[] = "source/os/filesystem/tregkeyholder";

}  // namespace

LONG TRegKeyHolder::Close()
{
  if (m_hKey == 0) return ERROR_SUCCESS;
  LONG lRes = RegCloseKey(m_hKey);
  m_hKey = 0;
  return lRes;
}

LONG TRegKeyHolder::Create(HKEY hKeyParent, const char* pName, char* pClass, DWORD dwOptions,
                           REGSAM samDesired, LPSECURITY_ATTRIBUTES pSecurity, DWORD* pDisposition)
{
  CONTRACT_CHECK(hKeyParent != 0, "hKeyParent != 0", HOLDER_CONTRACT_SOURCE);
  HKEY hKey = 0;
  DWORD dwDisposition = 0;
  LONG lRes = RegCreateKeyExA(hKeyParent, pName, 0, pClass, dwOptions, samDesired, pSecurity, &hKey,
                              &dwDisposition);
  if (lRes != ERROR_SUCCESS) return lRes;
  if (pDisposition) *pDisposition = dwDisposition;
  // The new key is in hand: only now may the old one go.
  lRes = Close();
  m_hKey = hKey;
  return lRes;
}

LONG TRegKey::Open(HKEY hKeyParent, const char* pName, REGSAM samDesired)
{
  CONTRACT_CHECK(hKeyParent != 0, "hKeyParent != 0", CONTRACT_SOURCE);
  // An empty name has no last character to look at.
  CONTRACT_CHECK(pName == 0 || pName[0] == 0 || pName[strlen(pName) - 1] != '\\',
                 "lName[lName.GetLength() - 1] != '\\\\'", CONTRACT_SOURCE);
  HKEY hKey = 0;
  LONG lRes = RegOpenKeyExA(hKeyParent, pName, 0, samDesired, &hKey);
  if (lRes != ERROR_SUCCESS) return lRes;
  lRes = Close();
  CONTRACT_CHECK(lRes == 0L, "lRes == 0L", CONTRACT_SOURCE);
  m_hKey = hKey;
  return lRes;
}

LONG TRegKey::QueryValue(void* pBuffer, const char* pName, DWORD* pCount, DWORD* pType)
{
  CONTRACT_CHECK(pCount != 0, "pdwCount != 0", CONTRACT_SOURCE);
  DWORD dwType = 0;
  return RegQueryValueExA(m_hKey, pName, 0, pType ? pType : &dwType, static_cast<BYTE*>(pBuffer),
                          pCount);
}

LONG TRegKey::QueryValue(TText& rText, const char* pName, DWORD* pType)
{
  DWORD dwCount = 0;
  LONG lResult = QueryValue(static_cast<void*>(0), pName, &dwCount);
  CONTRACT_CHECK(lResult != 234L, "lResult != 234L", CONTRACT_SOURCE);
  // Cleared first, so that whatever the second read leaves unwritten is
  // zero and no earlier content can show through.
  rText.Clear();
  if (!rText.Resize(dwCount)) return ERROR_NOT_ENOUGH_MEMORY;
  lResult = QueryValue(rText.Buffer(), pName, &dwCount, pType);
  CONTRACT_CHECK(lResult != 234L, "lResult != 234L", CONTRACT_SOURCE);
  rText.SyncLength();
  return lResult;
}

LONG TRegKey::QueryExpandedValue(TText& rText, const char* pName)
{
  DWORD dwType = REG_NONE;
  LONG lResult = QueryValue(rText, pName, &dwType);
  if (lResult != ERROR_SUCCESS || dwType != REG_EXPAND_SZ) return lResult;
  TText expanded;
  if (ExpandEnvironmentText(rText.Text(), expanded) && rText.Assign(expanded.Text()))
    return ERROR_SUCCESS;
  rText.Clear();
  return ERROR_NOT_ENOUGH_MEMORY;
}

LONG TRegKey::QueryValue(DWORD& rValue, const char* pName)
{
  DWORD dwType = 0;
  DWORD dwCount = sizeof(DWORD);
  LONG lRes =
      RegQueryValueExA(m_hKey, pName, 0, &dwType, reinterpret_cast<BYTE*>(&rValue), &dwCount);
  CONTRACT_CHECK(
      (lRes != 0L) || (dwType == (4)) || (dwType == (3) && dwCount == sizeof(DWORD)),
      "(lRes!=0L) || (dwType == ( 4 )) || (dwType == ( 3 ) && dwCount == sizeof( DWORD))",
      CONTRACT_SOURCE);
  CONTRACT_CHECK((lRes != 0L) || (dwCount == sizeof(DWORD)),
                 "(lRes!=0L) || (dwCount == sizeof(DWORD))", CONTRACT_SOURCE);
  return lRes;
}

LONG TRegKey::SetValue(const char* pValue, const char* pName)
{
  CONTRACT_CHECK(pValue != 0, "lpszValue != 0", CONTRACT_SOURCE);
  CONTRACT_CHECK(m_hKey != 0, "m_hKey != 0", CONTRACT_SOURCE);
  // Measuring a missing text would crash; the registry's own answer to a
  // bad argument is given instead.
  if (pValue == 0) return ERROR_INVALID_PARAMETER;
  return RegSetValueExA(m_hKey, pName, 0, REG_SZ, reinterpret_cast<const BYTE*>(pValue),
                        static_cast<DWORD>(strlen(pValue) + 1));
}

LONG TRegKey::SetValue(DWORD dwValue, const char* pName)
{
  CONTRACT_CHECK(m_hKey != 0, "m_hKey != 0", CONTRACT_SOURCE);
  return RegSetValueExA(m_hKey, pName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue),
                        sizeof(DWORD));
}

LONG TRegKey::DeleteValue(const char* pName)
{
  CONTRACT_CHECK(m_hKey != 0, "m_hKey != 0", CONTRACT_SOURCE);
  return RegDeleteValueA(m_hKey, pName);
}
