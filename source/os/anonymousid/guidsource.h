// A fresh GUID from the operating system.
#ifndef EXTRACTPANEL_GUIDSOURCE_H
#define EXTRACTPANEL_GUIDSOURCE_H

#include <stddef.h>

const size_t GUID_SIZE = 16;

// Writes the GUID_SIZE bytes of a new GUID as a Windows GUID lies in memory
// (Data1, Data2 and Data3 little-endian, then the eight bytes of Data4):
// 1, or 0 with pGuid untouched when the system has none to give.
int GetSystemGuid(unsigned char* pGuid);

#endif
