#include "commandline.h"

#include <string.h>

#include "contract.h"

namespace {

const char* SkipWhitespace(const char* p)
{
  while (IsWhitespace(*p)) ++p;
  return p;
}

// Trailing whitespace goes, then one trailing quote of either kind.
void TrimValue(char* pValue, size_t nLength)
{
  while (nLength > 0 && IsWhitespace(pValue[nLength - 1])) --nLength;
  if (nLength > 0 && IsQuote(pValue[nLength - 1])) --nLength;
  pValue[nLength] = 0;
}

bool FitsWorkingBuffer(const char* pText)
{
  return strnlen(pText, COMMAND_LINE_CAPACITY) < COMMAND_LINE_CAPACITY;
}

}  // namespace

int ParseCommandLine(const char* pText, CommandLineCallback pCallback)
{
  if (pText == 0) return 1;
  // Cutting would hand the mode runners a different last value than the
  // starter meant; nothing at all is the safer reading.
  if (!FitsWorkingBuffer(pText)) return COMMAND_LINE_REFUSED;
  char aCopy[COMMAND_LINE_CAPACITY];
  memcpy(aCopy, pText, strlen(pText) + 1);
  TCommandLineParser parser;
  return parser.Parse(aCopy, pCallback);
}

const char* SkipProgramName(const char* pCommandLine)
{
  const unsigned char* p = reinterpret_cast<const unsigned char*>(pCommandLine);
  bool bQuoted = false;
  for (; *p > ' ' || (*p != 0 && bQuoted); ++p) {
    if (*p == '"') bQuoted = !bQuoted;
  }
  while (*p != 0 && *p <= ' ') ++p;
  return reinterpret_cast<const char*>(p);
}

int TCommandLineParser::Parse(const char* pText, CommandLineCallback pCallback)
{
  // Key and value are pieces of the text: they fit only if the text does.
  CONTRACT_CHECK(FitsWorkingBuffer(pText), "strlen(pText) < 4096",
                 "project/importexport/registrator/src/commandline");
  if (!FitsWorkingBuffer(pText)) return COMMAND_LINE_REFUSED;
  char aKey[COMMAND_LINE_CAPACITY];
  char aValue[COMMAND_LINE_CAPACITY];
  const char* p = pText;
  for (;;) {
    p = SkipWhitespace(p);
    if (*p == 0) return 1;
    if (!IsMarker(*p)) {
      ++p;  // stray text outside any option
      continue;
    }
    p = ReadKey(p + 1, aKey);
    p = ReadValue(SkipWhitespace(p), aValue);
    if (pCallback(aKey, aValue) == 0) return 0;
  }
}

const char* TCommandLineParser::ReadKey(const char* pPosition, char* pKey)
{
  size_t n = 0;
  while (pPosition[n] != 0 && !IsWhitespace(pPosition[n])) {
    pKey[n] = pPosition[n];
    ++n;
  }
  pKey[n] = 0;
  return pPosition + n;
}

const char* TCommandLineParser::ReadValue(const char* pPosition, char* pValue)
{
  const char* p = SkipWhitespace(pPosition);
  char closingQuote = 0;
  bool bOpen = false;
  bool bClosed = false;
  if (IsQuote(*p)) {
    closingQuote = *p++;
    bOpen = true;
  }
  size_t n = 0;
  while (*p != 0) {
    if (bOpen && *p == closingQuote) {
      bOpen = false;
      bClosed = true;
      if (p[1] == 0) {
        ++p;
        break;
      }
      p += 2;  // the closing quote and the character after it
      continue;
    }
    if (!bOpen && IsMarker(*p)) break;
    if (!bClosed) pValue[n++] = *p;
    ++p;
  }
  TrimValue(pValue, n);
  return p;
}
