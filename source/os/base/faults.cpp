#include "faults.h"

namespace {

struct TFaultState
{
  int nCalls;
  int nFirst;
  int nLast;
};

TFaultState g_aFaults[FAULT_POINT_COUNT];

}  // namespace

void ArmFault(TFaultPoint ePoint, int nFirst, int nCount)
{
  g_aFaults[ePoint].nCalls = 0;
  g_aFaults[ePoint].nFirst = nFirst;
  g_aFaults[ePoint].nLast = nFirst + nCount - 1;
}

void ResetFaults()
{
  for (int i = 0; i < FAULT_POINT_COUNT; ++i) g_aFaults[i] = TFaultState();
}

bool FaultHit(TFaultPoint ePoint)
{
  TFaultState& rState = g_aFaults[ePoint];
  if (rState.nFirst == 0) return false;
  ++rState.nCalls;
  return rState.nCalls >= rState.nFirst && rState.nCalls <= rState.nLast;
}
