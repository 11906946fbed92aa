#include "memory.h"

#include <stdlib.h>

#include "faults.h"

void* MemAlloc(size_t nBytes)
{
  if (FaultHit(FAULT_ALLOCATION)) return 0;
  return malloc(nBytes);
}

void MemFree(void* pBlock) { free(pBlock); }
