// POSIX only: the stand-ins for the kernel's text comparison and length.
#include "platform.h"

#include "textcompare.h"

namespace {

unsigned char FoldLetter(unsigned char c) { return static_cast<unsigned char>(FoldAZ(static_cast<char>(c))); }

// Letters compare without regard to case first; with bCaseMatters, the first
// difference of case then decides, small letters first, as the system's
// word order has it. Both bytes of a double-byte character compare as they
// stand.
int CompareAnsi(LPCSTR pLeft, LPCSTR pRight, bool bCaseMatters)
{
  if (pLeft == 0) pLeft = "";
  if (pRight == 0) pRight = "";
  int nCaseOrder = 0;
  bool bTrailByte = false;
  for (;; ++pLeft, ++pRight) {
    unsigned char cLeft = (unsigned char)*pLeft;
    unsigned char cRight = (unsigned char)*pRight;
    unsigned char cFoldedLeft = bTrailByte ? cLeft : FoldLetter(cLeft);
    unsigned char cFoldedRight = bTrailByte ? cRight : FoldLetter(cRight);
    if (cFoldedLeft != cFoldedRight) return cFoldedLeft < cFoldedRight ? -1 : 1;
    if (cLeft == 0) return bCaseMatters ? nCaseOrder : 0;
    if (cLeft != cRight && nCaseOrder == 0) nCaseOrder = (cLeft >= 'a') ? -1 : 1;
    bTrailByte = !bTrailByte && IsDBCSLeadByte(cLeft);
  }
}

}  // namespace

int lstrcmpA(LPCSTR lpString1, LPCSTR lpString2)
{
  return CompareAnsi(lpString1, lpString2, true);
}

int lstrcmpiA(LPCSTR lpString1, LPCSTR lpString2)
{
  return CompareAnsi(lpString1, lpString2, false);
}

int lstrlenA(LPCSTR lpString)
{
  int nLength = 0;
  if (lpString) {
    while (lpString[nLength]) ++nLength;
  }
  return nLength;
}
