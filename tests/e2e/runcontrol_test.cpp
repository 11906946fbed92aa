// The program started as the starter starts it: its exit status and the
// ExitCode it leaves in the result file.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "extractpanelrun.h"
#include "filecontent.h"
#include "resultfile.h"
#include "tempfolder.h"

namespace {

class RunControlEndToEnd : public ::testing::Test
{
protected:
  void SetUp() override
  {
    m_Result = m_Folder.File("run.rtp");
    // Whatever a mode does natively stays inside the test's folder.
    m_Options.Environment = {{"EXTRACTPANEL_REGISTRY_DIR", m_Folder.MakeFolder("registry")},
                             {"XDG_CONFIG_HOME", m_Folder.MakeFolder("config")},
                             {"XDG_DATA_HOME", m_Folder.MakeFolder("data")}};
    m_Options.TimeoutMs = 30000;
  }

  int Run(const std::vector<std::string>& arguments)
  {
    TProcessResult result = RunExtractPanel(arguments, m_Options);
    EXPECT_TRUE(result.Started);
    EXPECT_FALSE(result.TimedOut);
    return result.ExitStatus;
  }

  std::string ExitCode(const std::string& path) const
  {
    std::vector<char> out(64, 0);
    DWORD nLength = 64;
    int nRead = ReadResultValue(path.c_str(), "ExitCode", out.data(), &nLength);
    return nRead == READ_RESULT_COPIED ? std::string(out.data()) : "<missing>";
  }
  std::string ExitCode() const { return ExitCode(m_Result); }

  TTempFolder m_Folder;
  std::string m_Result;
  TProcessOptions m_Options;
};

TEST_F(RunControlEndToEnd, EmptyCommandLineSucceedsAndWritesNothing)
{
  EXPECT_EQ(1, Run({}));
  EXPECT_FALSE(FileExists(m_Result));
}

TEST_F(RunControlEndToEnd, ModeThreeSucceedsWithExitCodeZero)
{
  EXPECT_EQ(1, Run({"-mode", "3", "-rtpfilename", m_Result}));
  EXPECT_EQ("0", ExitCode());
  EXPECT_EQ("[ADRTP]\r\nExitCode=0\r\n", ReadWholeFile(m_Result));
}

TEST_F(RunControlEndToEnd, OptionKeysIgnoreLetterCase)
{
  EXPECT_EQ(1, Run({"-MODE", "3", "/RtpFileName", m_Result}));
  EXPECT_EQ("0", ExitCode());
}

TEST_F(RunControlEndToEnd, UnknownModesFailWithExitCodeThree)
{
  for (const char* pMode : {"9", "0", "abc", "4294967299"}) {
    EXPECT_EQ(0, Run({"-mode", pMode, "-rtpfilename", m_Result})) << pMode;
    EXPECT_EQ("3", ExitCode()) << pMode;
  }
}

TEST_F(RunControlEndToEnd, ResultFileAloneRunsNoModeAndSucceeds)
{
  EXPECT_EQ(1, Run({"-rtpfilename", m_Result}));
  EXPECT_EQ("0", ExitCode());
}

TEST_F(RunControlEndToEnd, ParametersFileModeReplacesTheCommandLineMode)
{
  std::string parameters = m_Folder.File("p.ini");
  ASSERT_TRUE(WriteWholeFile(parameters, "[Book]\r\nmode=9\r\n[PARAMETERS]\r\nMode=3\r\n"));
  EXPECT_EQ(1, Run({"-mode", "9", "-parametersfilepath", parameters, "-rtpfilename", m_Result}));
  EXPECT_EQ("0", ExitCode());

  ASSERT_TRUE(WriteWholeFile(parameters, "[parameters]\r\nmode=9\r\n"));
  EXPECT_EQ(0, Run({"-mode", "3", "-parametersfilepath", parameters, "-rtpfilename", m_Result}));
  EXPECT_EQ("3", ExitCode());
}

TEST_F(RunControlEndToEnd, MissingParametersFileLeavesTheCommandLineMode)
{
  std::string absent = m_Folder.File("absent.ini");
  EXPECT_EQ(1, Run({"-mode", "3", "-parametersfilepath", absent, "-rtpfilename", m_Result}));
  EXPECT_EQ("0", ExitCode());
}

TEST_F(RunControlEndToEnd, OverLongCommandLineFailsWithoutReadingAnything)
{
  std::string filler(4200, 'x');
  EXPECT_EQ(0, Run({"-mode", "3", "-rtpfilename", m_Result, "-filler", filler}));
  EXPECT_FALSE(FileExists(m_Result));
}

TEST_F(RunControlEndToEnd, OverLongResultFileNameIsRefusedForTheOneBefore)
{
  std::string tooLong = m_Folder.File(std::string(1100, 'n'));
  EXPECT_EQ(1, Run({"-rtpfilename", m_Result, "-rtpfilename", tooLong, "-mode", "3"}));
  EXPECT_EQ("0", ExitCode());
}

TEST_F(RunControlEndToEnd, UnwritableResultFileLeavesTheExitStatusAlone)
{
  std::string inMissingFolder = m_Folder.File("missing/run.rtp");
  EXPECT_EQ(1, Run({"-mode", "3", "-rtpfilename", inMissingFolder}));
  EXPECT_EQ(0, Run({"-mode", "9", "-rtpfilename", inMissingFolder}));
  EXPECT_FALSE(FileExists(inMissingFolder));

  const std::string before = "[ADRTP]\r\nExePath=C:\\Books\r\n";
  ASSERT_TRUE(WriteWholeFile(m_Result, before));
  std::filesystem::permissions(m_Result, std::filesystem::perms::owner_read |
                                             std::filesystem::perms::group_read |
                                             std::filesystem::perms::others_read);
  // Refused on Windows and natively; Wine run as root writes it anyway.
  EXPECT_EQ(1, Run({"-mode", "3", "-rtpfilename", m_Result}));
  EXPECT_EQ(0, Run({"-mode", "9", "-rtpfilename", m_Result}));
}

TEST_F(RunControlEndToEnd, ExitCodeKeepsEveryOtherSectionKeyAndComment)
{
  const std::string head =
      "; written by the starter\r\n[ADRTP]\r\nExePath=C:\\Books\\Atlas\r\n"
      "; the reader's choice\r\nCustomPath=D:\\Atlas\r\n";
  const std::string tail = "[Other]\r\nExitCode=7\r\nkey=value\r\n";
  ASSERT_TRUE(WriteWholeFile(m_Result, head + tail));
  EXPECT_EQ(1, Run({"-mode", "3", "-rtpfilename", m_Result}));
  EXPECT_EQ(head + "ExitCode=0\r\n" + tail, ReadWholeFile(m_Result));
  EXPECT_EQ(0, Run({"-mode", "5", "-rtpfilename", m_Result}));
  EXPECT_EQ(head + "ExitCode=3\r\n" + tail, ReadWholeFile(m_Result));
}

TEST_F(RunControlEndToEnd, ResultFileNameWithBlanksAndHyphensStaysWhole)
{
  std::string folder = m_Folder.MakeFolder("my books-2");
  std::string path = (std::filesystem::path(folder) / "run-1 final.rtp").string();
  EXPECT_EQ(1, Run({"-mode", "3", "-rtpfilename", path}));
  EXPECT_EQ("0", ExitCode(path));
}

// Mode 2 always succeeds, so a run that succeeds shows that the text
// selected mode 2 (an unknown mode would fail it).
TEST_F(RunControlEndToEnd, ModeTextsThatReadAsTwoRunModeTwo)
{
  for (const char* pMode : {"2", "2x", "+2", "02", " 2"}) {
    EXPECT_EQ(1, Run({"-mode", pMode, "-rtpfilename", m_Result})) << "[" << pMode << "]";
    EXPECT_EQ("0", ExitCode()) << "[" << pMode << "]";
  }
}

}  // namespace
