#include "textcompare.h"

static char FoldAZ(char c)
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
