#include "bytes.h"

void* MoveBytes(void* pTo, const void* pFrom, size_t nBytes)
{
  unsigned char* pOut = static_cast<unsigned char*>(pTo);
  const unsigned char* pIn = static_cast<const unsigned char*>(pFrom);
  if (pOut < pIn) {
    for (size_t i = 0; i < nBytes; ++i) pOut[i] = pIn[i];
  } else {
    // From the end: a source below the target is read before it is written.
    while (nBytes > 0) {
      --nBytes;
      pOut[nBytes] = pIn[nBytes];
    }
  }
  return pTo;
}

void* FillBytes(void* pTo, int nValue, size_t nBytes)
{
  unsigned char* pOut = static_cast<unsigned char*>(pTo);
  for (size_t i = 0; i < nBytes; ++i) pOut[i] = static_cast<unsigned char>(nValue);
  return pTo;
}

int CompareBytes(const void* pA, const void* pB, size_t nBytes)
{
  const unsigned char* p = static_cast<const unsigned char*>(pA);
  const unsigned char* q = static_cast<const unsigned char*>(pB);
  for (size_t i = 0; i < nBytes; ++i) {
    if (p[i] != q[i]) return p[i] < q[i] ? -1 : 1;
  }
  return 0;
}

size_t TextLength(const char* pText)
{
  size_t n = 0;
  while (pText[n] != 0) ++n;
  return n;
}

size_t TextLengthWithin(const char* pText, size_t nLimit)
{
  size_t n = 0;
  while (n < nLimit && pText[n] != 0) ++n;
  return n;
}

const char* FindText(const char* pText, const char* pWanted)
{
  size_t nWanted = TextLength(pWanted);
  for (;; ++pText) {
    if (CompareBytes(pText, pWanted, nWanted) == 0) return pText;
    if (*pText == 0) return 0;
  }
}
