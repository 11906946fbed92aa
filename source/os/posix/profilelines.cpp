// POSIX only: reading and classifying the lines of a profile file.
#include "profilelines.h"

#include <string.h>

namespace {

bool IsProfileBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n' || c == 0; }

void Classify(const char* pText, TProfileLine* pLine)
{
  const char* pBegin = pText + pLine->nStart;
  size_t nLength = pLine->nEnd - pLine->nStart;
  size_t i = 0;
  while (i < nLength && IsProfileBlank(pBegin[i])) ++i;
  pLine->bBlank = i == nLength;
  pLine->eKind = PROFILE_LINE_OTHER;
  if (i == nLength || pBegin[i] == ';') return;
  const char* pRest = pBegin + i;
  size_t nRest = nLength - i;
  if (*pRest == '[') {
    const char* pClose = static_cast<const char*>(memchr(pRest, ']', nRest));
    if (pClose == 0) return;
    const char* pName = pRest + 1;
    size_t nName = static_cast<size_t>(pClose - pName);
    TrimProfileName(&pName, &nName);
    pLine->eKind = PROFILE_LINE_SECTION;
    pLine->nName = static_cast<size_t>(pName - pText);
    pLine->nNameLength = nName;
    return;
  }
  const char* pEqual = static_cast<const char*>(memchr(pRest, '=', nRest));
  if (pEqual == 0) return;
  const char* pName = pRest;
  size_t nName = static_cast<size_t>(pEqual - pRest);
  TrimProfileName(&pName, &nName);
  const char* pValue = pEqual + 1;
  size_t nValue = static_cast<size_t>(pBegin + nLength - pValue);
  TrimProfileName(&pValue, &nValue);
  pLine->eKind = PROFILE_LINE_KEY;
  pLine->nName = static_cast<size_t>(pName - pText);
  pLine->nNameLength = nName;
  pLine->nValue = static_cast<size_t>(pValue - pText);
  pLine->nValueLength = nValue;
}

}  // namespace

void TrimProfileName(const char** ppName, size_t* pnLength)
{
  const char* p = *ppName;
  size_t n = *pnLength;
  while (n > 0 && IsProfileBlank(*p)) { ++p; --n; }
  while (n > 0 && IsProfileBlank(p[n - 1])) --n;
  *ppName = p;
  *pnLength = n;
}

bool ReadProfileLine(const char* pText, size_t nLength, size_t nStart, TProfileLine* pLine)
{
  if (nStart >= nLength) return false;
  size_t nEnd = nStart;
  while (nEnd < nLength && !IsLineEnd(pText[nEnd])) ++nEnd;
  size_t nNext = nEnd;
  if (nNext < nLength) {
    bool bCrLf = pText[nNext] == '\r' && nNext + 1 < nLength && pText[nNext + 1] == '\n';
    nNext += bCrLf ? 2 : 1;
  }
  pLine->nStart = nStart;
  pLine->nEnd = nEnd;
  pLine->nNext = nNext;
  pLine->nName = pLine->nNameLength = pLine->nValue = pLine->nValueLength = 0;
  Classify(pText, pLine);
  return true;
}
