// POSIX only: rebuilding the command-line text from the argument vector.
#include "argumentline.h"

#include <string.h>

#include "commandline.h"

namespace {

bool NeedsQuotes(const char* pArgument)
{
  if (*pArgument == 0) return true;
  for (const char* p = pArgument; *p; ++p) {
    if (IsWhitespace(*p) || IsQuote(*p)) return true;
    if (IsMarker(*p) && p != pArgument) return true;
  }
  return false;
}

bool AppendArgument(TText& rLine, const char* pArgument)
{
  if (!NeedsQuotes(pArgument)) return rLine.Append(pArgument);
  const char* pQuote = strchr(pArgument, '"') ? "'" : "\"";
  return rLine.Append(pQuote) && rLine.Append(pArgument) && rLine.Append(pQuote);
}

}  // namespace

bool JoinArguments(int nCount, const char* const* ppArguments, TText& rLine)
{
  rLine.Clear();
  for (int i = 0; i < nCount; ++i) {
    if (i > 0 && !rLine.Append(" ")) return false;
    if (!AppendArgument(rLine, ppArguments[i])) return false;
  }
  return true;
}
