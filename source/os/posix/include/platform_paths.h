// The shell's light-weight path utilities, with Windows path rules (drive
// roots, \\server\share\) on every platform.
#ifndef EXTRACTPANEL_PLATFORM_PATHS_H
#define EXTRACTPANEL_PLATFORM_PATHS_H

#include "platform_types.h"

BOOL PathIsRelativeA(LPCSTR pszPath);
LPSTR PathSkipRootA(LPCSTR pszPath);
BOOL PathIsUNCA(LPCSTR pszPath);
BOOL PathFileExistsA(LPCSTR pszPath);
int PathGetDriveNumberA(LPCSTR pszPath);
LPSTR PathBuildRootA(LPSTR pszRoot, int iDrive);
LPSTR PathAddBackslashA(LPSTR pszPath);
LPSTR PathGetArgsA(LPCSTR pszPath);
void PathRemoveArgsA(LPSTR pszPath);

#endif
