// Whole writes to a file descriptor, through short writes and interruptions.
#ifndef EXTRACTPANEL_POSIX_FILEIO_H
#define EXTRACTPANEL_POSIX_FILEIO_H

#include <stddef.h>

bool WriteAll(int nFile, const char* pData, size_t nSize);

#endif
