// Windows: the program calls the real Win32 functions; nothing stands between.
#ifndef EXTRACTPANEL_PLATFORM_H
#define EXTRACTPANEL_PLATFORM_H

#include <windows.h>
#include <shlwapi.h>
#include <shlobj.h>
#include <objbase.h>

#define PATH_SEPARATOR_CHAR '\\'
#define PATH_SEPARATOR_TEXT "\\"
// Between the folders of PATH.
#define PATH_LIST_SEPARATOR_CHAR ';'

#endif
