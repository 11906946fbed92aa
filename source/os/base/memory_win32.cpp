// Windows: the blocks come from the process heap.
#include "memory.h"

#include <windows.h>

void* MemResize(void* pBlock, size_t nBytes)
{
  if (pBlock == 0) return HeapAlloc(GetProcessHeap(), 0, nBytes);
  return HeapReAlloc(GetProcessHeap(), 0, pBlock, nBytes);
}

void MemFree(void* pBlock)
{
  if (pBlock) HeapFree(GetProcessHeap(), 0, pBlock);
}
