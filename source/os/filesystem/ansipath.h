// Windows only: wide texts of the shell and of the dialog's edit in the
// ANSI code page, never as look-alikes.
#ifndef EXTRACTPANEL_ANSIPATH_H
#define EXTRACTPANEL_ANSIPATH_H

#include "platform.h"

// True when the text fits the nSize bytes of pAnsi with every character as
// itself; pAnsi is empty when false. A best-fit look-alike (C:\Books\Lódz
// for C:\Books\Łódź) would name another folder.
bool WideToAnsi(const WCHAR* pWide, char* pAnsi, int nSize);
// The path as it stands when WideToAnsi takes it. Else the short (8.3)
// form of its longest part that exists, followed by the names below it as
// they stand: a folder still to be made keeps its new names, which must be
// whole in the code page, and nothing is made here. False, pAnsi empty,
// when no such form exists (a volume without short names, a new name
// outside the code page). The short form asks the disk, or the network
// for a share: the dialog never waits on a share for it.
bool WidePathToAnsi(const WCHAR* pWide, char* pAnsi, int nSize);

#endif
