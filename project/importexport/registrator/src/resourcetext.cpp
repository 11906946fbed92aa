#include "resourcetext.h"

#include "runvalues.h"

int LoadResourceText(UINT nId, char* pBuffer, int nCapacity, const char* pFallback)
{
  if (nCapacity <= 0) return 0;
  int nCount = LoadStringA(g_hModule, nId, pBuffer, nCapacity);
  if (nCount > 0) return nCount;
  int i = 0;
  for (; i < nCapacity - 1 && pFallback[i] != 0; ++i) pBuffer[i] = pFallback[i];
  pBuffer[i] = 0;
  return 0;
}
