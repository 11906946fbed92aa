// Private profile (INI) files.
#ifndef EXTRACTPANEL_PLATFORM_PROFILE_H
#define EXTRACTPANEL_PLATFORM_PROFILE_H

#include "platform_types.h"

DWORD GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault,
                               LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName);
BOOL WritePrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString,
                                LPCSTR lpFileName);

#endif
