// POSIX only: the ExitCode write refused through the profile stand-in's
// fault point, and COM that will not start. A refused write must not change
// the exit status; without COM the run fails before it reads anything. In
// both the result file stays as the starter left it.
#include <gtest/gtest.h>

#include <string>

#include "faults.h"
#include "platform.h"
#include "filecontent.h"
#include "runcontrol.h"
#include "tempfolder.h"

namespace {

class RunControlResultFileFaults : public ::testing::Test
{
protected:
  void TearDown() override { ResetFaults(); }

  int RunWithRefusedWrite(const std::string& mode)
  {
    ArmFault(FAULT_PROFILE_WRITE, 1, 1000);
    std::string commandLine = "-mode " + mode + " -rtpfilename \"" + m_Result + "\"";
    return RunProgram(commandLine.c_str());
  }

  TTempFolder m_Folder;
  const std::string m_Result = m_Folder.File("run.rtp");
};

TEST_F(RunControlResultFileFaults, RefusedExitCodeLeavesStatusAndFileAlone)
{
  const std::string starterContent = "[ADRTP]\r\nExePath=/books\r\nExitCode=7\r\n";
  ASSERT_TRUE(WriteWholeFile(m_Result, starterContent));
  EXPECT_EQ(1, RunWithRefusedWrite("3"));
  EXPECT_EQ(starterContent, ReadWholeFile(m_Result));
  EXPECT_EQ(0, RunWithRefusedWrite("9"));
  EXPECT_EQ(starterContent, ReadWholeFile(m_Result));
}

TEST_F(RunControlResultFileFaults, RefusedExitCodeMakesNoFile)
{
  EXPECT_EQ(1, RunWithRefusedWrite("3"));
  EXPECT_FALSE(FileExists(m_Result));
  // The same run unhindered does write it.
  ResetFaults();
  EXPECT_EQ(1, RunProgram(("-mode 3 -rtpfilename \"" + m_Result + "\"").c_str()));
  EXPECT_NE(std::string::npos, ReadWholeFile(m_Result).find("ExitCode=0"));
}

TEST_F(RunControlResultFileFaults, ComThatWillNotStartFailsTheRunUntouched)
{
  const std::string starterContent = "[ADRTP]\r\nExePath=/books\r\n";
  ASSERT_TRUE(WriteWholeFile(m_Result, starterContent));
  const std::string commandLine = "-mode 3 -rtpfilename \"" + m_Result + "\"";
  ArmFault(FAULT_COM_START, 1, 1);
  EXPECT_EQ(0, RunProgram(commandLine.c_str()));
  EXPECT_EQ(starterContent, ReadWholeFile(m_Result));
  const std::string absent = m_Folder.File("absent.rtp");
  ArmFault(FAULT_COM_START, 1, 1);
  EXPECT_EQ(0, RunProgram(("-mode 3 -rtpfilename \"" + absent + "\"").c_str()));
  EXPECT_FALSE(FileExists(absent));
}

// COM started by someone else already (S_FALSE) counts as started, and the
// run leaves that start as it found it, refused or not.
TEST_F(RunControlResultFileFaults, ComAlreadyStartedIsKeptAsItWas)
{
  ASSERT_EQ(S_OK, CoInitialize(nullptr));
  const std::string commandLine = "-mode 3 -rtpfilename \"" + m_Result + "\"";
  EXPECT_EQ(1, RunProgram(commandLine.c_str()));
  EXPECT_NE(std::string::npos, ReadWholeFile(m_Result).find("ExitCode=0"));
  ArmFault(FAULT_COM_START, 1, 1);
  EXPECT_EQ(0, RunProgram(commandLine.c_str()));
  EXPECT_EQ(S_FALSE, CoInitialize(nullptr));  // still started: nothing was undone
  CoUninitialize();
  CoUninitialize();
  EXPECT_EQ(S_OK, CoInitialize(nullptr));
  CoUninitialize();
}

}  // namespace
