#include "argumentsplit.h"

#include <string.h>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Reads one argument starting at p (no leading blanks); returns the
// position after it.
const char* ReadArgument(const char* p, std::string& rOut)
{
  size_t nSlashes = 0;  // backslashes just copied
  int nQuotes = 0;  // 1 inside a quoted part
  while (*p && !(IsBlank(*p) && nQuotes == 0)) {
    char c = *p++;
    if (c != '"') {
      rOut += c;
      nSlashes = c == '\\' ? nSlashes + 1 : 0;
      continue;
    }
    // Backslashes in front of a quote: each pair is one backslash; an odd
    // one out makes the quote literal instead of opening or closing.
    rOut.resize(rOut.size() - (nSlashes + 1) / 2);
    if (nSlashes & 1) rOut += '"';
    else ++nQuotes;
    nSlashes = 0;
    // Further quotes in a row: every third counted one is a literal quote.
    for (; *p == '"'; ++p) {
      if (++nQuotes == 3) {
        rOut += '"';
        nQuotes = 0;
      }
    }
    if (nQuotes == 2) nQuotes = 0;
  }
  return p;
}

}  // namespace

std::vector<std::string> SplitArguments(const char* pText)
{
  std::vector<std::string> arguments;
  for (const char* p = pText ? pText : "";;) {
    p += strspn(p, " \t");
    if (*p == 0) return arguments;
    arguments.emplace_back();
    p = ReadArgument(p, arguments.back());
  }
}
