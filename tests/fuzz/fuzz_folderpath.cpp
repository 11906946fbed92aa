// Folder-path validation and the path object's edits on any text, in a
// single-byte and in double-byte code pages: the answers must agree with
// each other, the judged text must stay as it was, and every edit must
// keep to the text it was given.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <string>

#include "folderpath.h"
#include "fuzzsandbox.h"
#include "platform.h"
#include "platform_codepage.h"
#include "tpath.h"

namespace {

bool Holds(const std::string& text, const char* pAny)
{
  return text.find_first_of(pAny) != std::string::npos;
}

bool BeginsWith(const std::string& text, const std::string& start)
{
  return text.compare(0, start.size(), start) == 0;
}

void CheckVerdicts(const std::string& text, bool bSingleByte)
{
  int nForbidden = HasForbiddenChars(text.c_str());
  FUZZ_CHECK(nForbidden == 0 || nForbidden == 1);
  TText path;
  FUZZ_CHECK(path.Assign(text.c_str()));
  int nValid = TPath(path).IsValidFolderPath();
  FUZZ_CHECK(nValid == 0 || nValid == 1);
  FUZZ_CHECK(text == path.Text());
  FUZZ_CHECK(nValid == IsValidFolderPath(text.c_str()));
  if (nForbidden) FUZZ_CHECK(nValid == 0);

  TText root;
  FUZZ_CHECK(root.Assign("untouched"));
  int nRoot = TPath(path).GetRoot(root);
  FUZZ_CHECK(nRoot == 0 || nRoot == 1);
  if (nRoot) {
    FUZZ_CHECK(!root.IsEmpty());
    FUZZ_CHECK(BeginsWith(text, root.Text()));
  } else {
    FUZZ_CHECK(std::string(root.Text()) == "untouched");
  }
  bool bRelative = PathIsRelativeA(text.c_str()) != 0;
  if (bRelative) FUZZ_CHECK(nRoot == 0);
  if (!bRelative && nValid) FUZZ_CHECK(nRoot == 1);

  if (!bSingleByte) return;
  // One byte, one character: the sets can be checked on the bytes.
  if (Holds(text, "*?\"<>|")) FUZZ_CHECK(nForbidden == 1);
  if (!Holds(text, ":*?\"<>|")) FUZZ_CHECK(nForbidden == 0);
  bool bDoubled = text.find("\\\\") != std::string::npos || text.find("//") != std::string::npos;
  if (bRelative && !nForbidden) FUZZ_CHECK(nValid == (bDoubled ? 0 : 1));
}

void CheckEdits(const std::string& text, bool bSingleByte)
{
  TText path;
  FUZZ_CHECK(path.Assign(text.c_str()));
  FUZZ_CHECK(TPath(path).AddBackslash() == 1);
  std::string added = path.Text();
  FUZZ_CHECK(path.GetLength() == added.size());
  FUZZ_CHECK(BeginsWith(added, text));
  FUZZ_CHECK(added.size() <= text.size() + 1);
  if (bSingleByte && !text.empty() && text.size() < MAX_PATH) {
    FUZZ_CHECK(added.back() == '\\');
    FUZZ_CHECK(added.size() == text.size() + (text.back() == '\\' ? 0 : 1));
  }
  if (text.size() >= MAX_PATH || text.empty()) FUZZ_CHECK(added == text);

  FUZZ_CHECK(path.Assign(text.c_str()));
  TText args;
  int nArgs = TPath(path).GetArgs(args);
  FUZZ_CHECK(nArgs == (args.IsEmpty() ? 0 : 1));
  FUZZ_CHECK(std::string(path.Text()) == text);
  FUZZ_CHECK(TPath(path).RemoveArgs() == 1);
  std::string program = path.Text();
  FUZZ_CHECK(path.GetLength() == program.size());
  FUZZ_CHECK(BeginsWith(text, program));
  if (nArgs) FUZZ_CHECK(program + " " + args.Text() == text);
  else FUZZ_CHECK(program == text || program + " " == text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
  static const UINT CODE_PAGES[] = {1252, 932, 936};
  FuzzedDataProvider input(pData, nSize);
  UINT nCodePage = CODE_PAGES[input.ConsumeIntegralInRange<size_t>(0, 2)];
  std::string text = input.ConsumeRemainingBytesAsString();
  text.resize(strlen(text.c_str()));
  SetAnsiCodePage(nCodePage);
  CheckVerdicts(text, nCodePage == 1252);
  CheckEdits(text, nCodePage == 1252);
  SetAnsiCodePage(1252);
  return 0;
}
