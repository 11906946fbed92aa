// The browser's arguments from any open-command template and book path:
// the formatter must never read past the inserts it is given, a template
// without %1 or the shell's path inserts gets the quoted path after a blank,
// and a template whose only escape is one plain %1 gets the path there,
// without added quotes right after "--single-argument ".
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "fuzzsandbox.h"
#include "openbook.h"
#include "platform_codepage.h"

namespace {

std::string CText(const std::string& text) { return text.substr(0, text.find('\0')); }

std::string PairsDoubled(const std::string& path)
{
  std::string out;
  for (size_t i = 0; i < path.size(); ++i) {
    if (path[i] == '\\' && i + 1 < path.size() && path[i + 1] == '\\') {
      out += "\\\\\\\\";
      ++i;
    } else {
      out += path[i];
    }
  }
  return out;
}

// True when the template's one escape is a plain %1 and it has no line end,
// which the formatter would rewrite.
bool HasOnePlainInsert(const std::string& text, size_t* pAt)
{
  size_t at = text.find('%');
  if (at == std::string::npos || text.find('%', at + 1) != std::string::npos) return false;
  if (text.find_first_of("\r\n") != std::string::npos) return false;
  if (at + 1 >= text.size() || text[at + 1] != '1') return false;
  if (at + 2 < text.size() && ((text[at + 2] >= '0' && text[at + 2] <= '9') || text[at + 2] == '!'))
    return false;
  *pAt = at;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
  // One byte, one character, whatever the locale: the pairs are counted on bytes.
  SetAnsiCodePage(1252);
  FuzzedDataProvider input(pData, nSize);
  std::string book = CText(input.ConsumeRandomLengthString(300));
  std::string argTemplate = CText(input.ConsumeRemainingBytesAsString());

  TText launch;
  FUZZ_CHECK(MakeLaunchPath(book.c_str(), launch));
  FUZZ_CHECK(PairsDoubled(book) == launch.Text());

  TText args;
  FUZZ_CHECK(BuildBrowserArguments(argTemplate.c_str(), launch.Text(), args));
  const std::string path = launch.Text();
  size_t at;
  bool bShellInserts = false;
  for (const char* pInsert : {"%L", "%l", "%V", "%v", "%*"})
    bShellInserts = bShellInserts || argTemplate.find(pInsert) != std::string::npos;
  if (argTemplate.find("%1") == std::string::npos && !bShellInserts) {
    FUZZ_CHECK(args.Text() == argTemplate + " \"" + path + "\"");
  } else if (HasOnePlainInsert(argTemplate, &at)) {
    static const std::string SINGLE = "--single-argument ";
    bool bQuoted = argTemplate.find("\"%1\"") != std::string::npos;
    bool bSingle =
        at >= SINGLE.size() && argTemplate.compare(at - SINGLE.size(), SINGLE.size(), SINGLE) == 0;
    std::string insert = bQuoted || bSingle ? path : "\"" + path + "\"";
    std::string expected = argTemplate.substr(0, at) + insert + argTemplate.substr(at + 2);
    FUZZ_CHECK(args.Text() == expected);
  }
  return 0;
}
