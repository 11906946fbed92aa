#include "pathsearch.h"

#include "platform.h"

const char* FindPathChar(const char* pText, char c)
{
  for (const char* p = pText; *p; p = CharNextA(p)) {
    if (*p == c) return p;
  }
  return 0;
}

const char* FindPathPair(const char* pText, const char* pPair)
{
  for (const char* p = pText; *p; p = CharNextA(p)) {
    if (p[0] == pPair[0] && p[1] == pPair[1]) return p;
  }
  return 0;
}

const char* FindAnyPathChar(const char* pText, size_t nLength, const char* pSet)
{
  const char* pEnd = pText + nLength;
  for (const char* p = pText; p < pEnd && *p; p = CharNextA(p)) {
    if (FindPathChar(pSet, *p)) return p;
  }
  return 0;
}

const char* FindLastPathChar(const char* pText, char c)
{
  const char* pLast = 0;
  for (const char* p = pText; *p; p = CharNextA(p)) {
    if (*p == c) pLast = p;
  }
  return pLast;
}
