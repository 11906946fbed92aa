// Where the books' records live: mode 1 writes a book key here, mode 2
// reads it back.
#ifndef EXTRACTPANEL_BOOKKEY_H
#define EXTRACTPANEL_BOOKKEY_H

// The key under HKEY_CURRENT_USER that holds one book key per book identifier.
const char REFERRALS_KEY_PATH[] = "Software\\Ostrel\\UserData\\Referrals";

#endif
