#include "textcompare.h"

char FoldAZ(char c)
{
  return (c >= 'A' && c <= 'Z') ? (char)(c - 'A' + 'a') : c;
}

int EqualsNoCase(const char* pLeft, const char* pRight)
{
  for (;; ++pLeft, ++pRight) {
    if (FoldAZ(*pLeft) != FoldAZ(*pRight)) return 0;
    if (*pLeft == 0) return 1;
  }
}

int EqualsNoCase(const char* pLeft, size_t nLeft, const char* pRight, size_t nRight)
{
  if (nLeft != nRight) return 0;
  for (size_t i = 0; i < nLeft; ++i) {
    if (FoldAZ(pLeft[i]) != FoldAZ(pRight[i])) return 0;
  }
  return 1;
}
