// Windows only: wide texts of the shell and of the dialog's edit in the
// ANSI code page, never as look-alikes.
#ifndef EXTRACTPANEL_ANSIPATH_H
#define EXTRACTPANEL_ANSIPATH_H

#include "platform.h"

// True when the text fits the nSize bytes of pAnsi with every character as
// itself; pAnsi is empty when false. A best-fit look-alike (C:\Books\Lódz
// for C:\Books\Łódź) would name another folder.
bool WideToAnsi(const WCHAR* pWide, char* pAnsi, int nSize);
// The path as it stands when WideToAnsi takes it, else its short (8.3)
// form when the volume keeps one and that converts whole. The short form
// asks the disk, or the network for a share: the dialog never waits on a
// share for it.
bool WidePathToAnsi(const WCHAR* pWide, char* pAnsi, int nSize);

#endif
