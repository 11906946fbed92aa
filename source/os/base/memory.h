// Heap blocks for the program's working buffers; null when none can be had.
// On Windows they come from the process heap: the exe links no C library.
#ifndef EXTRACTPANEL_MEMORY_H
#define EXTRACTPANEL_MEMORY_H

#include <stddef.h>

// A new block; an armed allocation fault point refuses it.
void* MemAlloc(size_t nBytes);
// pBlock grown or shrunk to nBytes (nBytes > 0), its contents kept, or a new
// block for a null one. Null on failure, and pBlock then stays as it was.
void* MemResize(void* pBlock, size_t nBytes);
// A null block is nothing to free.
void MemFree(void* pBlock);

#endif
