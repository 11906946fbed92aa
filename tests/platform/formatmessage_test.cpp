// FormatMessageA on string templates, as the program calls it: Windows gives
// the answers under Wine, the stand-in must give the same natively.
#include <gtest/gtest.h>

#include <stdarg.h>

#include <string>
#include <vector>

#include "platform.h"

namespace {

// ERROR_NO_WORK_DONE, which MinGW's headers do not name.
const DWORD NO_WORK_DONE = 235;
const DWORD FROM_STRING_ALLOCATE =
    FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_ARGUMENT_ARRAY;

struct TFormatted
{
  DWORD Length;
  DWORD Error;
  std::string Text;
  bool PointerNull;
};

TFormatted Format(const char* text, std::vector<UINT_PTR> inserts)
{
  TFormatted result;
  char* buffer = reinterpret_cast<char*>(0x1);  // must be replaced
  SetLastError(0);
  result.Length =
      FormatMessageA(FROM_STRING_ALLOCATE, text, 0, 0, reinterpret_cast<LPSTR>(&buffer), 0,
                     inserts.empty() ? nullptr : reinterpret_cast<va_list*>(inserts.data()));
  result.Error = GetLastError();
  result.PointerNull = buffer == nullptr;
  if (buffer && result.Length) result.Text.assign(buffer, result.Length);
  if (buffer && buffer != reinterpret_cast<char*>(0x1)) LocalFree(buffer);
  return result;
}

UINT_PTR Insert(const char* text) { return reinterpret_cast<UINT_PTR>(text); }

TEST(FormatMessageConformance, TheInsertGoesWhereverItIsNamed)
{
  EXPECT_EQ("test", Format("%1", {Insert("test")}).Text);
  EXPECT_EQ("a \"x\" b x", Format("a \"%1\" b %1", {Insert("x")}).Text);
  EXPECT_EQ(4u, Format("%1", {Insert("test")}).Length);
}

TEST(FormatMessageConformance, TheInsertTextIsCopiedAsItIs)
{
  EXPECT_EQ("a %2 %% b\n", Format("%1", {Insert("a %2 %% b\n")}).Text);
}

TEST(FormatMessageConformance, EscapeSequences)
{
  EXPECT_EQ(" %% ", Format(" %%%% ", {}).Text);
  EXPECT_EQ("%1", Format("%%1", {}).Text);
  EXPECT_EQ("\r\n\r\t", Format("%n%r%t", {}).Text);
  EXPECT_EQ("bang!x dot.x pctx", Format("bang%!x dot%.x pct%x", {}).Text);
  EXPECT_EQ("    ", Format("% %   ", {}).Text);
  EXPECT_EQ("test", Format("test%0test", {}).Text);
  EXPECT_EQ("cut", Format("cut%0after", {}).Text);
}

TEST(FormatMessageConformance, LineEndsOfTheTemplateBecomeCrLf)
{
  EXPECT_EQ("hi\r\n", Format("hi\n", {}).Text);
  EXPECT_EQ("hi\r\n", Format("hi\r\n", {}).Text);
  EXPECT_EQ("\r\n", Format("\r", {}).Text);
  EXPECT_EQ("\r\n\r\n", Format("\r\r\n", {}).Text);
}

TEST(FormatMessageConformance, FailuresReturnZeroWithTheirReason)
{
  TFormatted trailing = Format("test%", {});
  EXPECT_EQ(0u, trailing.Length);
  EXPECT_EQ((DWORD)ERROR_INVALID_PARAMETER, trailing.Error);
  EXPECT_TRUE(trailing.PointerNull);

  TFormatted empty = Format("", {});
  EXPECT_EQ(0u, empty.Length);
  EXPECT_EQ(NO_WORK_DONE, empty.Error);
  EXPECT_TRUE(empty.PointerNull);
  EXPECT_EQ(NO_WORK_DONE, Format("%1", {Insert("")}).Error);
  EXPECT_EQ(NO_WORK_DONE, Format("%0test", {}).Error);
}

}  // namespace
