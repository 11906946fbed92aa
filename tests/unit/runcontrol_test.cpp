// Run control in the test's own process: the mode number, the options it
// keeps, the parameters file's say over the mode, and the result it gives.
// What the started program shows is left to the end-to-end tests.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "faults.h"
#include "filecontent.h"
#include "runcontrol.h"
#include "runvalues.h"
#include "tempfolder.h"

namespace {

struct TModeCase
{
  const char* pText;
  int nNumber;
};

TEST(RunControlModeNumber, ReadsWhitespaceSignAndDigits)
{
  const TModeCase aCases[] = {
      {"1", 1},
      {"+1", 1},
      {"01", 1},
      {"1abc", 1},
      {" \t\n\v\f\r1", 1},
      {"3 ", 3},
      {"", 0},
      {"abc", 0},
      {"+", 0},
      {"+-1", 0},
      {"\xA0"
       "1",
       0},
      {"- 1", 0},
      {"-1", -1},
      {"-0", 0},
      {"2x", 2},
      {"002", 2},
      {"2147483647", INT_MAX},
      {"-2147483648", INT_MIN},
  };
  for (const TModeCase& rCase : aCases)
    EXPECT_EQ(rCase.nNumber, ModeNumber(rCase.pText)) << "[" << rCase.pText << "]";
}

TEST(RunControlModeNumber, DigitsPastTheRangeClampSoTheyNeverSelectAMode)
{
  // Wrapping would turn 4294967297 into 1 and 4294967299 into 3.
  const TModeCase aCases[] = {
      {"2147483648", INT_MAX},
      {"4294967297", INT_MAX},
      {"4294967299", INT_MAX},
      {"99999999999999999999999999999999", INT_MAX},
      {"-2147483649", INT_MIN},
      {"-4294967297", INT_MIN},
      {"-99999999999999999999999999999", INT_MIN},
  };
  for (const TModeCase& rCase : aCases)
    EXPECT_EQ(rCase.nNumber, ModeNumber(rCase.pText)) << rCase.pText;
}

class RunControl : public ::testing::Test
{
protected:
  void TearDown() override { ResetFaults(); }

  int Run(const std::string& commandLine)
  {
    TRunControl control;
    return control.Run(commandLine.c_str());
  }

  std::string Quoted(const std::string& path) const { return "\"" + path + "\""; }

  std::string Parameters(const std::string& content)
  {
    std::string path = m_Folder.File("p.ini");
    EXPECT_TRUE(WriteWholeFile(path, content));
    return path;
  }

  TTempFolder m_Folder;
};

// A run without options neither runs the last run's mode nor writes its
// exit code into the last run's result file.
TEST_F(RunControl, ARunKeepsNothingOfTheRunBefore)
{
  std::string result = m_Folder.File("first.rtp");
  EXPECT_EQ(0, RunProgram(("-mode 9 -rtpfilename " + Quoted(result) + " -parametersfilepath " +
                           Quoted(m_Folder.File("none.ini")))
                              .c_str()));
  std::string written = ReadWholeFile(result);
  EXPECT_NE(std::string::npos, written.find("ExitCode=3")) << written;
  EXPECT_EQ(1, RunProgram(""));
  EXPECT_EQ(written, ReadWholeFile(result));
  EXPECT_TRUE(g_RunValues.ParametersFilePath.IsEmpty());
}

TEST_F(RunControl, KeysMatchWithoutCaseAndTheLastValueWins)
{
  EXPECT_EQ(1, Run("-MODE 9 -RtpFileName first.ini -PARAMETERSFILEPATH \"" +
                   m_Folder.File("none.ini") + "\" -rtpfilename second.ini -Mode 3 -x y"));
  EXPECT_STREQ("3", g_RunValues.Mode.Text());
  EXPECT_STREQ("second.ini", g_RunValues.RtpFileName.Text());
  EXPECT_EQ(m_Folder.File("none.ini"), g_RunValues.ParametersFilePath.Text());
}

TEST_F(RunControl, OverLongValueIsRefusedAndTheSettingKeepsWhatItHeld)
{
  std::string fits(1023, 'f');
  EXPECT_EQ(1, Run("-rtpfilename " + fits + " -mode 3"));
  EXPECT_EQ(fits, g_RunValues.RtpFileName.Text());
  std::string tooLong(1024, 'l');
  EXPECT_EQ(1, Run("-rtpfilename kept.ini -rtpfilename " + tooLong + " -mode 3 -mode " + tooLong));
  EXPECT_STREQ("kept.ini", g_RunValues.RtpFileName.Text());
  EXPECT_STREQ("3", g_RunValues.Mode.Text());
}

TEST_F(RunControl, OverLongCommandLineReadsNothingAndFails)
{
  std::string text = "-mode 3 -rtpfilename r.ini " + std::string(4096, 'x');
  EXPECT_EQ(0, Run(text));
  EXPECT_TRUE(g_RunValues.Mode.IsEmpty());
  EXPECT_TRUE(g_RunValues.RtpFileName.IsEmpty());
}

TEST_F(RunControl, OnlyTheModeOfSectionParametersCounts)
{
  std::string path = Parameters(
      "[other]\r\nmode=3\r\n[parameters]\r\nrtpfilename=x.ini\r\n"
      "parametersfilepath=y.ini\r\nmodes=3\r\n");
  EXPECT_EQ(0, Run("-mode 9 -parametersfilepath " + Quoted(path)));
  EXPECT_STREQ("9", g_RunValues.Mode.Text());
  EXPECT_TRUE(g_RunValues.RtpFileName.IsEmpty());
  EXPECT_EQ(path, g_RunValues.ParametersFilePath.Text());
}

TEST_F(RunControl, StoppedParametersWalkEndsTheRunAsASuccess)
{
  std::string path = Parameters("[parameters]\r\nbookid=NOT_FOUND_ERROR\r\nmode=9\r\n");
  EXPECT_EQ(1, Run("-mode 9 -parametersfilepath " + Quoted(path)));
}

}  // namespace
