// POSIX only: the Win32 error code that stands for an errno value, for the
// stand-ins that report failures through the last-error value.
#ifndef EXTRACTPANEL_LASTERROR_H
#define EXTRACTPANEL_LASTERROR_H

#include "platform_types.h"

DWORD Win32ErrorFromErrno(int nErrno);

#endif
