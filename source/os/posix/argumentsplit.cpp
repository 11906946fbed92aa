#include "argumentsplit.h"


#include "memory.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Appends c to the argument being read; pOut may be null to only measure.
void Put(char* pOut, size_t& rAt, char c)
{
  if (pOut) pOut[rAt] = c;
  ++rAt;
}

// Reads one argument starting at p (no leading blanks) into pOut, which
// may be null to only measure. Returns the position after it and its
// length in *pLength.
const char* ReadArgument(const char* p, char* pOut, size_t* pLength)
{
  size_t nOut = 0;
  size_t nSlashes = 0;  // backslashes just copied
  int nQuotes = 0;      // 1 inside a quoted part
  while (*p && !(IsBlank(*p) && nQuotes == 0)) {
    char c = *p++;
    if (c != '"') {
      Put(pOut, nOut, c);
      nSlashes = c == '\\' ? nSlashes + 1 : 0;
      continue;
    }
    // Backslashes in front of a quote: each pair is one backslash; an odd
    // one out makes the quote literal instead of opening or closing.
    nOut -= nSlashes / 2;
    if (nSlashes & 1) {
      --nOut;
      Put(pOut, nOut, '"');
    } else {
      ++nQuotes;
    }
    nSlashes = 0;
    // Further quotes in a row: every third counted one is a literal quote.
    for (; *p == '"'; ++p) {
      if (++nQuotes == 3) {
        Put(pOut, nOut, '"');
        nQuotes = 0;
      }
    }
    if (nQuotes == 2) nQuotes = 0;
  }
  *pLength = nOut;
  return p;
}

const char* SkipBlanks(const char* p)
{
  while (IsBlank(*p)) ++p;
  return p;
}

}  // namespace

char** SplitArguments(const char* pText, int* pCount)
{
  if (pText == 0) pText = "";
  // First pass measures, second pass fills.
  size_t nArguments = 0;
  size_t nChars = 0;
  for (const char* p = SkipBlanks(pText); *p; p = SkipBlanks(p)) {
    size_t nLength;
    p = ReadArgument(p, 0, &nLength);
    ++nArguments;
    nChars += nLength + 1;
  }
  size_t nPointers = (nArguments + 1) * sizeof(char*);
  char** pArray = static_cast<char**>(MemAlloc(nPointers + nChars));
  if (pArray == 0) return 0;
  char* pStore = reinterpret_cast<char*>(pArray) + nPointers;
  size_t nIndex = 0;
  for (const char* p = SkipBlanks(pText); *p; p = SkipBlanks(p)) {
    size_t nLength;
    p = ReadArgument(p, pStore, &nLength);
    pStore[nLength] = 0;
    pArray[nIndex++] = pStore;
    pStore += nLength + 1;
  }
  pArray[nIndex] = 0;
  if (pCount) *pCount = (int)nArguments;
  return pArray;
}
