// Heap blocks for the program's working buffers; null when none can be had.
#ifndef EXTRACTPANEL_MEMORY_H
#define EXTRACTPANEL_MEMORY_H

#include <stddef.h>

void* MemAlloc(size_t nBytes);
void MemFree(void* pBlock);

#endif
