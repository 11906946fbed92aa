#include <gtest/gtest.h>

#include <string>

#include "openbook.h"

namespace {

std::string LaunchPathOf(const std::string& book)
{
  TText out;
  EXPECT_TRUE(MakeLaunchPath(book.c_str(), out));
  return out.Text();
}

std::string ArgumentsOf(const std::string& argTemplate, const std::string& launchPath)
{
  TText out;
  EXPECT_TRUE(BuildBrowserArguments(argTemplate.c_str(), launchPath.c_str(), out));
  return out.Text();
}

std::string Escaped(const std::string& argTemplate)
{
  TText out;
  EXPECT_TRUE(EscapeOtherInserts(argTemplate.c_str(), out));
  return out.Text();
}

TEST(BookLaunchPath, PairsOfBackslashesAreDoubledFromTheLeftWithoutOverlap)
{
  struct
  {
    const char* book;
    const char* launch;
  } cases[] = {
      {R"(C:\Books\Atlas\index.htm)", R"(C:\Books\Atlas\index.htm)"},
      {R"(\\server\share\Atlas\index.htm)", R"(\\\\server\share\Atlas\index.htm)"},
      {R"(C:\Books\\Atlas)", R"(C:\Books\\\\Atlas)"},
      {R"(a\\\b)", R"(a\\\\\b)"},
      {R"(a\\\\b)", R"(a\\\\\\\\b)"},
      {R"(trailing\\)", R"(trailing\\\\)"},
      {"/tmp/book/index.htm", "/tmp/book/index.htm"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(c.launch, LaunchPathOf(c.book)) << c.book;
}

TEST(BrowserArguments, TheWorkedFormsOfTheOpenCommand)
{
  const std::string q = R"(C:\Books\Atlas\index.htm)";
  EXPECT_EQ("-nohome \"" + q + "\"", ArgumentsOf("-nohome", q));
  EXPECT_EQ("\"" + q + "\"", ArgumentsOf("\"%1\"", q));
  EXPECT_EQ("\"" + q + "\"", ArgumentsOf("%1", q));
  EXPECT_EQ("-url \"" + q + "\" -new", ArgumentsOf("-url %1 -new", q));
  EXPECT_EQ(" \"" + q + "\"", ArgumentsOf("", q));
}

// Browsers of one engine take all that follows "--single-argument " as the
// path, quotes included, as the shell leaves a bare %1 there; like "%1",
// that form means no quotes at any insert. The shell fills %L and %V as it
// fills %1, and %* with nothing.
TEST(BrowserArguments, TheShellsOwnInsertsAndTheSingleArgumentForm)
{
  const std::string q = R"(C:\Books\Atlas\index.htm)";
  const std::string blank = R"(C:\My Books\Atlas\index.htm)";
  // 0x95 0x5C is one double-byte character whose second byte is a backslash.
  const std::string doubleByte = "C:\\Books\\\x95\x5C\\index.htm";
  struct
  {
    std::string argTemplate, launchPath, args;
  } rows[] = {
      {"--single-argument %1", q, "--single-argument " + q},
      {"--single-argument %1", blank, "--single-argument " + blank},
      {"--single-argument %1", doubleByte, "--single-argument " + doubleByte},
      {"--single-argument \"%1\"", blank, "--single-argument \"" + blank + "\""},
      {"--single-argument %L", blank, "--single-argument " + blank},
      {"-a %1 --single-argument %1", "Q", "-a Q --single-argument Q"},
      {"--single-argument=%1", "Q", "--single-argument=\"Q\""},
      {"%L", blank, "\"" + blank + "\""},
      {"\"%L\"", blank, "\"" + blank + "\""},
      {"-url %V -new", "Q", "-url \"Q\" -new"},
      {"%1 %*", "Q", "\"Q\" "},
      {"-x %*", "Q", "-x  \"Q\""},
      {"%%L %1 %I", "Q", "%L \"Q\" I"},
  };
  for (const auto& row : rows)
    EXPECT_EQ(row.args, ArgumentsOf(row.argTemplate, row.launchPath)) << row.argTemplate;
}

TEST(BrowserArguments, AQuotedInsertAnywhereMeansNoQuotesAreAddedAtAnyInsert)
{
  EXPECT_EQ("\"Q\" Q", ArgumentsOf("\"%1\" %1", "Q"));
  EXPECT_EQ("-a \"Q\" -b", ArgumentsOf("-a \"%1\" -b", "Q"));
}

TEST(BrowserArguments, TheInsertIsNeverReadAsATemplateItself)
{
  EXPECT_EQ("\"C:\\100%2 %1\\x\"", ArgumentsOf("%1", "C:\\100%2 %1\\x"));
}

TEST(BrowserArguments, OtherInsertsStayAsTheyStandAndNothingBeyondTheOneInsertIsRead)
{
  EXPECT_EQ("%2 \"Q\"", ArgumentsOf("%2 %1", "Q"));
  EXPECT_EQ("\"Q\" %10 %99", ArgumentsOf("%1 %10 %99", "Q"));
  EXPECT_EQ("%1!d! \"Q\"", ArgumentsOf("%1!d! %1", "Q"));
  EXPECT_EQ("%1!s!", ArgumentsOf("%1!s!", "Q"));
  EXPECT_EQ("%1!*.*s!", ArgumentsOf("%1!*.*s!", "Q"));
}

TEST(BrowserArguments, TheFormattersOwnEscapesStillApply)
{
  EXPECT_EQ("50% \"Q\"", ArgumentsOf("50%% %1", "Q"));
  EXPECT_EQ("%1 \"Q\"", ArgumentsOf("%%1 %1", "Q"));
  EXPECT_EQ("a\r\nb \"Q\"", ArgumentsOf("a%nb %1", "Q"));
  EXPECT_EQ("\"Q\"", ArgumentsOf("%1%0 cut", "Q"));
}

TEST(BrowserArguments, ALonePercentAtTheEndStandsAsWritten)
{
  EXPECT_EQ("-url \"Q\" 100%", ArgumentsOf("-url %1 100%", "Q"));
  EXPECT_EQ("\"Q\" %1!%", ArgumentsOf("\"%1\" %1!%", "Q"));
}

TEST(InsertEscaping, OnlyAPlainFirstInsertIsLeftToTheFormatter)
{
  EXPECT_EQ("%1", Escaped("%1"));
  EXPECT_EQ("\"%1\" x", Escaped("\"%1\" x"));
  EXPECT_EQ("%%2", Escaped("%2"));
  EXPECT_EQ("%%12", Escaped("%12"));
  EXPECT_EQ("%%1!s!", Escaped("%1!s!"));
  EXPECT_EQ("%%1 %1", Escaped("%%1 %1"));
  EXPECT_EQ("%%%%2", Escaped("%%%2"));
  EXPECT_EQ("%n%t%0", Escaped("%n%t%0"));
  EXPECT_EQ("%%", Escaped("%"));
  EXPECT_EQ("%1 %%", Escaped("%1 %"));
}

}  // namespace
