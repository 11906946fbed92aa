#include "bookkey.h"

LONG OpenBookKey(const char* pBookId, TBookKeyOpen eHow, REGSAM samBook, TRegKey& rReferrals,
                 TRegKey& rBook)
{
  if (eHow == BOOK_KEY_CREATE) {
    LONG lResult = rReferrals.Create(HKEY_CURRENT_USER, REFERRALS_KEY_PATH, 0,
                                     REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, 0, 0);
    if (lResult != ERROR_SUCCESS) return lResult;
    return rBook.Create(rReferrals.m_hKey, pBookId, 0, REG_OPTION_NON_VOLATILE, samBook, 0, 0);
  }
  LONG lResult = rReferrals.Open(HKEY_CURRENT_USER, REFERRALS_KEY_PATH, KEY_READ);
  if (lResult != ERROR_SUCCESS) return lResult;
  return rBook.Open(rReferrals.m_hKey, pBookId, samBook);
}
