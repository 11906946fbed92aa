#include "textcompare.h"

int EqualsNoCase(const char* pLeft, const char* pRight)
{
  for (;; ++pLeft, ++pRight) {
    if (FoldAZ(*pLeft) != FoldAZ(*pRight)) return 0;
    if (*pLeft == 0) return 1;
  }
}
