// User interface: string resources from the program's own string table.
#ifndef EXTRACTPANEL_PLATFORM_USER_H
#define EXTRACTPANEL_PLATFORM_USER_H

#include "platform_types.h"

int LoadStringA(HINSTANCE hInstance, UINT uID, LPSTR lpBuffer, int cchBufferMax);

#endif
