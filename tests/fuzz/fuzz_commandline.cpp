// The command-line reader on any text: every option it hands over must be a
// piece of the text, fit the reader's buffers, and the walk must end as the
// callback and the length rule say.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "commandline.h"
#include "fuzzsandbox.h"

namespace {

std::vector<std::pair<std::string, std::string>> g_Options;
size_t g_nStopAfter;  // 0: never stop

bool IsReaderSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Copies what it is given, as every callback of the program must, and
// checks the lengths before it trusts them.
int Keep(const char* pKey, const char* pValue)
{
  FUZZ_CHECK(pKey != nullptr && pValue != nullptr);
  size_t nKey = strnlen(pKey, COMMAND_LINE_CAPACITY);
  size_t nValue = strnlen(pValue, COMMAND_LINE_CAPACITY);
  FUZZ_CHECK(nKey < COMMAND_LINE_CAPACITY && nValue < COMMAND_LINE_CAPACITY);
  g_Options.emplace_back(std::string(pKey, nKey), std::string(pValue, nValue));
  return g_Options.size() == g_nStopAfter ? 0 : 1;
}

size_t CountMarkers(const std::string& text)
{
  size_t n = 0;
  for (char c : text) n += (c == '-' || c == '/');
  return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
  FuzzedDataProvider input(pData, nSize);
  g_nStopAfter = input.ConsumeIntegralInRange<size_t>(0, 8);
  std::string text = input.ConsumeRemainingBytesAsString();
  text.resize(strlen(text.c_str()));  // the reader sees a C text

  g_Options.clear();
  int nResult = ParseCommandLine(text.c_str(), Keep);
  if (text.size() >= COMMAND_LINE_CAPACITY) {
    FUZZ_CHECK(nResult == COMMAND_LINE_REFUSED);
    FUZZ_CHECK(g_Options.empty());
    return 0;
  }
  FUZZ_CHECK(nResult == 0 || nResult == 1);
  FUZZ_CHECK((nResult == 0) == (g_nStopAfter != 0 && g_Options.size() == g_nStopAfter));
  FUZZ_CHECK(g_Options.size() <= CountMarkers(text));
  for (const auto& option : g_Options) {
    const std::string& key = option.first;
    const std::string& value = option.second;
    // A key follows its marker and ends at whitespace.
    FUZZ_CHECK(text.find("-" + key) != std::string::npos ||
               text.find("/" + key) != std::string::npos);
    for (char c : key) FUZZ_CHECK(!IsReaderSpace(c));
    // A value is one stretch of the text, without whitespace at its start.
    FUZZ_CHECK(text.find(value) != std::string::npos);
    FUZZ_CHECK(value.empty() || !IsReaderSpace(value[0]) ||
               text.find("\"" + value) != std::string::npos ||
               text.find("'" + value) != std::string::npos);
    FUZZ_CHECK(key.size() + value.size() < text.size());
  }

  // The reader keeps no state: a second walk gives the same options.
  std::vector<std::pair<std::string, std::string>> first;
  first.swap(g_Options);
  FUZZ_CHECK(ParseCommandLine(text.c_str(), Keep) == nResult);
  FUZZ_CHECK(g_Options == first);
  return 0;
}
