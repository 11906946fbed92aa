// The command-line reader against the texts the starter and readers write,
// and the awkward ones that show where values end.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "commandline.h"

namespace {

typedef std::vector<std::pair<std::string, std::string>> TCalls;

TCalls g_Calls;
const char* g_pStopAtKey = nullptr;

int Record(const char* pKey, const char* pValue)
{
  g_Calls.push_back({pKey, pValue});
  return (g_pStopAtKey && std::string(g_pStopAtKey) == pKey) ? 0 : 1;
}

struct TCase
{
  const char* pName;
  std::string text;
  TCalls calls;
};

void PrintTo(const TCase& rCase, std::ostream* pOut) { *pOut << rCase.pName; }

class CommandLineReader : public ::testing::TestWithParam<TCase>
{
protected:
  void SetUp() override
  {
    g_Calls.clear();
    g_pStopAtKey = nullptr;
  }
};

TEST_P(CommandLineReader, CallsBackWithEachOptionInOrder)
{
  const TCase& rCase = GetParam();
  EXPECT_EQ(1, ParseCommandLine(rCase.text.c_str(), Record));
  EXPECT_EQ(rCase.calls, g_Calls) << "text: [" << rCase.text << "]";
}

const TCase g_aCases[] = {
    {"Empty", "", {}},
    {"OnlyWhitespace", " \t\r\n\v\f ", {}},
    {"OneOption", "-mode 1", {{"mode", "1"}}},
    {"SlashMarkerKeepsKeyCase", "/MODE 2", {{"MODE", "2"}}},
    {"QuotedPathThenOption",
     "-rtpfilename \"C:\\Temp\\run-1.rtp\" -mode 1",
     {{"rtpfilename", "C:\\Temp\\run-1.rtp"}, {"mode", "1"}}},
    {"UnquotedHyphenEndsValue",
     "-rtpfilename C:\\Temp\\run-1.rtp",
     {{"rtpfilename", "C:\\Temp\\run"}, {"1.rtp", ""}}},
    {"UnquotedSlashEndsValue", "-a C:/dir/f", {{"a", "C:"}, {"dir/f", ""}}},
    {"NegativeNumberIsAnOption", "-mode -3", {{"mode", ""}, {"3", ""}}},
    {"TwoEmptyValues", "-a -b", {{"a", ""}, {"b", ""}}},
    {"InnerBlanksKeptOuterTrimmed", "-a   x y  ", {{"a", "x y"}}},
    {"ValueWithBlanks",
     "-installdirectory C:\\Program Files\\Book -mode 2",
     {{"installdirectory", "C:\\Program Files\\Book"}, {"mode", "2"}}},
    {"LeadingBlanksInsideQuotesStay", "-a \"  x  \"", {{"a", "  x"}}},
    {"SingleQuotes", "-a 'x'", {{"a", "x"}}},
    {"UnclosedQuoteRunsToEnd", "-a \"x", {{"a", "x"}}},
    {"UnclosedQuoteKeepsMarkers", "-a \"x -y", {{"a", "x -y"}}},
    {"ClosedQuoteHoldsMarker", "-a \"x -y\" -b", {{"a", "x -y"}, {"b", ""}}},
    {"OtherQuoteIsOrdinary", "-a 'x\"y' -b", {{"a", "x\"y"}, {"b", ""}}},
    {"TrailingQuoteTrimmed", "-a x\"", {{"a", "x"}}},
    {"BlankBeforeTrailingQuoteStays", "-a x \"", {{"a", "x "}}},
    {"EmptyQuotes", "-a \"\"", {{"a", ""}}},
    {"TextAfterClosingQuoteDropped", "-a \"x\"y -b z", {{"a", "x"}, {"b", "z"}}},
    {"MarkerRightAfterClosingQuoteDropped", "-a \"x\"-b y", {{"a", "x"}}},
    {"SecondQuotedPartDropped", "-a \"x\" \"y\" -b", {{"a", "x"}, {"b", ""}}},
    {"EqualsBelongsToKey", "-mode=1", {{"mode=1", ""}}},
    {"EmptyKey", "- x", {{"", "x"}}},
    {"LoneMarker", "-", {{"", ""}}},
    {"DoubleMarker", "--a b", {{"-a", "b"}}},
    {"QuoteInKey", "-a\"b c", {{"a\"b", "c"}}},
    {"StrayTextIgnored", "foo -mode 1", {{"mode", "1"}}},
    {"MarkerInsideStrayText", "abc-def", {{"def", ""}}},
    {"TabsAndNewlinesSeparate", "-a\tx\r\n-b\vy\f", {{"a", "x"}, {"b", "y"}}},
    {"HighBytesAreNotWhitespace", "-a \xA0x\xE9\x85 -b", {{"a", "\xA0x\xE9\x85"}, {"b", ""}}},
    {"BackslashIsOrdinary", "-a \"x\\\" y\"", {{"a", "x\\"}}},
    {"LaterDuplicateAlsoReported", "-mode 1 -mode 3", {{"mode", "1"}, {"mode", "3"}}},
};

INSTANTIATE_TEST_SUITE_P(Texts, CommandLineReader, ::testing::ValuesIn(g_aCases),
                         [](const ::testing::TestParamInfo<TCase>& rInfo) {
                           return std::string(rInfo.param.pName);
                         });

// What the Windows entry hands WinMain, and so the reader, from the whole
// command line the starter wrote.
TEST_F(CommandLineReader, ReadsTheTextAfterTheProgramName)
{
  struct TRow
  {
    const char* pLine;
    const char* pTail;
  };
  const TRow aRows[] = {
      {"\"C:\\Program Files\\Atlas\\extractpanel.exe\" -mode 1", "-mode 1"},
      {"C:\\Atlas\\extractpanel.exe -mode 1", "-mode 1"},
      {"C:\\\"Two Words\"\\extractpanel.exe -mode 1", "-mode 1"},
      {"\"C:\\a b\\x.exe\"-mode 1", "1"},  // the name runs on after its closing quote
      {"\"C:\\a b\\x.exe -mode 1", ""},  // an unclosed quote takes the rest
      {"x.exe \t \t-mode 1 ", "-mode 1 "},
      {"x.exe\t-mode 1", "-mode 1"},
      {"x.exe\r\n-mode 1", "-mode 1"},
      {"x.exe", ""},
      {"x.exe \t ", ""},
      {"\"C:\\a b\\x.exe\"", ""},
      {"", ""},
      // Bytes from 0x80 up: MinGW's start-up code read them as signed, as
      // blanks, and gave the text from "cher", from "t" and from the '\\'.
      {"C:\\B\xFC"
       "cher\\x.exe -mode 1",
       "-mode 1"},
      {"x.exe \xE9t\xE9", "\xE9t\xE9"},
      {"C:\\\x95\\x.exe -mode 1", "-mode 1"},  // a double-byte name whose second byte is '\\'
  };
  for (const TRow& row : aRows) {
    EXPECT_STREQ(row.pTail, SkipProgramName(row.pLine)) << "[" << row.pLine << "]";
  }
}

TEST_F(CommandLineReader, CallbackReturningZeroStopsTheWalk)
{
  g_pStopAtKey = "a";
  EXPECT_EQ(0, ParseCommandLine("-a 1 -b 2", Record));
  EXPECT_EQ((TCalls{{"a", "1"}}), g_Calls);
}

TEST_F(CommandLineReader, AnyNonZeroCallbackResultGoesOn)
{
  auto pGoOn = [](const char* pKey, const char* pValue) {
    g_Calls.push_back({pKey, pValue});
    return -7;
  };
  EXPECT_EQ(1, ParseCommandLine("-a 1 -b 2", pGoOn));
  EXPECT_EQ(2u, g_Calls.size());
}

TEST_F(CommandLineReader, NullTextIsAnEmptyWalk)
{
  EXPECT_EQ(1, ParseCommandLine(nullptr, Record));
  EXPECT_TRUE(g_Calls.empty());
}

TEST_F(CommandLineReader, LongestTextIsReadWhole)
{
  // 4095 characters: a key of 2 and a value that fills the rest.
  std::string value(4095 - 3, 'v');
  std::string text = "-k " + value;
  ASSERT_EQ(4095u, text.size());
  EXPECT_EQ(1, ParseCommandLine(text.c_str(), Record));
  EXPECT_EQ((TCalls{{"k", value}}), g_Calls);

  g_Calls.clear();
  std::string key(4094, 'k');
  EXPECT_EQ(1, ParseCommandLine(("-" + key).c_str(), Record));
  EXPECT_EQ((TCalls{{key, ""}}), g_Calls);
}

TEST_F(CommandLineReader, TextOverTheWorkingBufferIsRefusedWithoutACallback)
{
  std::string text = "-mode 3 " + std::string(4096 - 8, 'x');
  ASSERT_EQ(4096u, text.size());
  EXPECT_EQ(COMMAND_LINE_REFUSED, ParseCommandLine(text.c_str(), Record));
  EXPECT_TRUE(g_Calls.empty());

  std::string huge = "-mode 3 " + std::string(100000, 'x');
  EXPECT_EQ(COMMAND_LINE_REFUSED, ParseCommandLine(huge.c_str(), Record));
  TCommandLineParser parser;
  EXPECT_EQ(COMMAND_LINE_REFUSED, parser.Parse(huge.c_str(), Record));
  EXPECT_TRUE(g_Calls.empty());
}

TEST_F(CommandLineReader, ReadKeyAndReadValueReturnWhereTheyStopped)
{
  TCommandLineParser parser;
  char aKey[COMMAND_LINE_CAPACITY];
  char aValue[COMMAND_LINE_CAPACITY];
  const char* pText = "mode  \"a b\"  -next";
  const char* pAfterKey = parser.ReadKey(pText, aKey);
  EXPECT_STREQ("mode", aKey);
  EXPECT_EQ(pText + 4, pAfterKey);
  const char* pAfterValue = parser.ReadValue(pAfterKey, aValue);
  EXPECT_STREQ("a b", aValue);
  EXPECT_EQ('-', *pAfterValue);
  EXPECT_STREQ("-next", pAfterValue);

  const char* pEnd = parser.ReadValue("\"x\"", aValue);
  EXPECT_STREQ("x", aValue);
  EXPECT_EQ(0, *pEnd);
}

}  // namespace
