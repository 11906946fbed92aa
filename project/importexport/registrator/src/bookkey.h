// Where the books' records live: mode 1 writes a book key here, mode 2
// reads it back.
#ifndef EXTRACTPANEL_BOOKKEY_H
#define EXTRACTPANEL_BOOKKEY_H

#include "tregkey.h"

// The key under HKEY_CURRENT_USER that holds one book key per book identifier.
const char REFERRALS_KEY_PATH[] = "Software\\Ostrel\\UserData\\Referrals";

enum TBookKeyOpen {
  BOOK_KEY_OPEN,  // both keys must exist; the referrals key is opened to read
  BOOK_KEY_CREATE  // both keys are made when missing, to read and write
};

// Opens (or creates) the referrals key into rReferrals, then the book key
// below it with samBook into rBook. ERROR_SUCCESS, or the code of the first
// step that failed. Declared in that order, the book key closes first.
LONG OpenBookKey(const char* pBookId, TBookKeyOpen eHow, REGSAM samBook, TRegKey& rReferrals,
                 TRegKey& rBook);

#endif
