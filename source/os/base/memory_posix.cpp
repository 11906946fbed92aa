// POSIX: the blocks come from the C library.
#include "memory.h"

#include <stdlib.h>

void* MemResize(void* pBlock, size_t nBytes) { return realloc(pBlock, nBytes); }

void MemFree(void* pBlock) { free(pBlock); }
