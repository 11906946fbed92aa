#include "bookkey.h"

LONG OpenBookKey(const char* pBookId, TBookKeyOpen eHow, REGSAM samBook, TRegKey& rBook)
{
  TRegKey referrals;
  if (eHow == BOOK_KEY_CREATE) {
    LONG lResult = referrals.Create(HKEY_CURRENT_USER, REFERRALS_KEY_PATH, 0,
                                    REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, 0, 0);
    if (lResult != ERROR_SUCCESS) return lResult;
    return rBook.Create(referrals.m_hKey, pBookId, 0, REG_OPTION_NON_VOLATILE, samBook, 0, 0);
  }
  LONG lResult = referrals.Open(HKEY_CURRENT_USER, REFERRALS_KEY_PATH, KEY_READ);
  if (lResult != ERROR_SUCCESS) return lResult;
  return rBook.Open(referrals.m_hKey, pBookId, samBook);
}
