// POSIX: the program entry; turns the argument vector back into one
// command-line text for the same reader that Windows feeds.
#include <string.h>

#include "runcontrol.h"
#include "text.h"

namespace {

bool IsWhitespace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsMarker(char c) { return c == '-' || c == '/'; }

// Without quotes the reader would cut this argument into several values.
bool NeedsQuotes(const char* pArgument)
{
  if (*pArgument == 0) return true;
  for (const char* p = pArgument; *p; ++p) {
    if (IsWhitespace(*p) || *p == '"' || *p == '\'') return true;
    if (IsMarker(*p) && p != pArgument) return true;
  }
  return false;
}

bool AppendArgument(TText& rLine, const char* pArgument)
{
  if (!rLine.IsEmpty() && !rLine.Append(" ")) return false;
  if (!NeedsQuotes(pArgument)) return rLine.Append(pArgument);
  const char* pQuote = strchr(pArgument, '"') ? "'" : "\"";
  return rLine.Append(pQuote) && rLine.Append(pArgument) && rLine.Append(pQuote);
}

}  // namespace

int main(int argc, char** argv)
{
  g_hInstance = GetModuleHandleA(0);
  g_hModule = GetModuleHandleA(0);
  // The whole text goes to the reader, which refuses one that is too long
  // just as it refuses a Windows command line of that length.
  TText line;
  for (int i = 1; i < argc; ++i)
    if (!AppendArgument(line, argv[i])) return 0;
  return RunProgram(line.Text());
}
