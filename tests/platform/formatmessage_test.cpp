// FormatMessageA on string templates, as the program calls it: Windows gives
// the answers under Wine, the stand-in must give the same natively.
#include <gtest/gtest.h>

#include <stdarg.h>
#include <string.h>

#include <string>
#include <vector>

#include "platform.h"

namespace {

const DWORD kNoWorkDone = 235;  // ERROR_NO_WORK_DONE
const DWORD FROM_STRING_ALLOCATE =
    FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_ARGUMENT_ARRAY;

struct TFormatted
{
  DWORD Length;
  DWORD Error;
  std::string Text;
  bool PointerNull;
};

TFormatted Format(const char* text, std::vector<UINT_PTR> inserts, DWORD flags = FROM_STRING_ALLOCATE)
{
  TFormatted result;
  char* buffer = reinterpret_cast<char*>(0x1);  // must be replaced
  SetLastError(0);
  result.Length = FormatMessageA(flags, text, 0, 0, reinterpret_cast<LPSTR>(&buffer), 0,
                                 inserts.empty() ? nullptr : reinterpret_cast<va_list*>(inserts.data()));
  result.Error = GetLastError();
  result.PointerNull = buffer == nullptr;
  if (buffer && result.Length) result.Text.assign(buffer, result.Length);
  if (buffer && buffer != reinterpret_cast<char*>(0x1)) LocalFree(buffer);
  return result;
}

UINT_PTR Insert(const char* text) { return reinterpret_cast<UINT_PTR>(text); }

TEST(FormatMessageConformance, InsertsComeFromTheArrayInAnyOrderAndAsOftenAsNamed)
{
  EXPECT_EQ("test", Format("%1", {Insert("test")}).Text);
  EXPECT_EQ("test", Format("%1%3%2%1", {Insert("t"), Insert("s"), Insert("e")}).Text);
  EXPECT_EQ("a \"x\" b x", Format("a \"%1\" b %1", {Insert("x")}).Text);
  EXPECT_EQ(4u, Format("%1", {Insert("test")}).Length);
  EXPECT_EQ("(null)", Format("%1", {0}).Text);
  EXPECT_EQ("zyx", Format("%3%2%1", {Insert("x"), Insert("y"), Insert("z")}).Text);
}

TEST(FormatMessageConformance, InsertNumbersHaveOneOrTwoDigits)
{
  std::vector<UINT_PTR> inserts;
  const char* names[] = {"ONE", "2", "3", "4", "5", "6", "7", "8", "9", "TEN", "11", "12"};
  for (const char* name : names) inserts.push_back(Insert(name));
  EXPECT_EQ("TEN|TEN0|ONE", Format("%10|%100|%1", inserts).Text);
}

TEST(FormatMessageConformance, TheInsertTextIsCopiedAsItIs)
{
  EXPECT_EQ("a %2 %% b\n", Format("%1", {Insert("a %2 %% b\n")}).Text);
}

TEST(FormatMessageConformance, EscapeSequences)
{
  EXPECT_EQ(" %% ", Format(" %%%% ", {}).Text);
  EXPECT_EQ("x%y", Format("%1%%%2", {Insert("x"), Insert("y")}).Text);
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
  EXPECT_EQ((DWORD)ERROR_INVALID_PARAMETER, Format("%", {}).Error);
  EXPECT_EQ((DWORD)ERROR_INVALID_PARAMETER, Format("%1!%", {Insert("x")}).Error);

  TFormatted empty = Format("", {});
  EXPECT_EQ(0u, empty.Length);
  EXPECT_EQ(kNoWorkDone, empty.Error);
  EXPECT_TRUE(empty.PointerNull);
  EXPECT_EQ(kNoWorkDone, Format("%1", {Insert("")}).Error);
  EXPECT_EQ(kNoWorkDone, Format("%0test", {}).Error);
}

TEST(FormatMessageConformance, AFixedBufferThatIsTooSmallStaysUntouched)
{
  char buffer[8];
  memset(buffer, 'X', sizeof buffer);
  UINT_PTR inserts[1] = {reinterpret_cast<UINT_PTR>("x")};
  SetLastError(0);
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY, "hello %1", 0, 0, buffer, 5,
                                reinterpret_cast<va_list*>(inserts));
  EXPECT_EQ(0u, length);
  EXPECT_EQ((DWORD)ERROR_INSUFFICIENT_BUFFER, GetLastError());
  EXPECT_EQ(std::string(8, 'X'), std::string(buffer, 8));
  EXPECT_EQ(7u, FormatMessageA(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY, "hello %1", 0, 0, buffer, 8,
                               reinterpret_cast<va_list*>(inserts)));
  EXPECT_STREQ("hello x", buffer);
}

}  // namespace
