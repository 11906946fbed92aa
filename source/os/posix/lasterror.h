// POSIX only: the Win32 error code that stands for an errno value.
#ifndef EXTRACTPANEL_LASTERROR_H
#define EXTRACTPANEL_LASTERROR_H

#include "platform_types.h"

DWORD Win32ErrorFromErrno(int nErrno);

#endif
