// Private profile (INI) files.
#ifndef EXTRACTPANEL_PLATFORM_PROFILE_H
#define EXTRACTPANEL_PLATFORM_PROFILE_H

#include "platform_types.h"

// Only what the program asks: a buffer of at least 2 bytes and a default;
// a write sets one value, never removes a key or a section.
DWORD GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault,
                               LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName);
BOOL WritePrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString,
                                LPCSTR lpFileName);

#endif
