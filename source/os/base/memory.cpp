#include "memory.h"

#include "faults.h"

void* MemAlloc(size_t nBytes)
{
  if (FaultHit(FAULT_ALLOCATION)) return 0;
  return MemResize(0, nBytes);
}
