// The POSIX launcher's own cases: documents go to the desktop's opener, and
// the fault seam can make a launch fail.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

#include "faults.h"
#include "filecontent.h"
#include "launchlog.h"
#include "platform.h"
#include "process.h"
#include "scopedenv.h"
#include "tempfolder.h"

namespace {

struct ShellExecutePosix : ::testing::Test
{
  void SetUp() override
  {
    ASSERT_FALSE(folder.Path().empty());
    ASSERT_TRUE(WriteWholeFile(document, "<html></html>"));
  }
  void TearDown() override { ResetFaults(); }

  TTempFolder folder;
  std::string log = folder.File("launch.log");
  std::string document = folder.File("index.htm");
  TScopedEnvironment logVariable{"EXTRACTPANEL_FAKEBROWSER_LOG", log};
};

TEST_F(ShellExecutePosix, ADocumentIsHandedToTheOpener)
{
  TScopedEnvironment opener("EXTRACTPANEL_OPENER", BuildProgram("fakebrowser"));
  ASSERT_GT((INT_PTR)ShellExecuteA(0, "open", document.c_str(), nullptr, nullptr, SW_SHOWNORMAL),
            32);
  TLaunch launch = ParseLaunchRecord(WaitForLaunchRecord(log));
  EXPECT_EQ(BuildProgram("fakebrowser"), launch.Program);
  EXPECT_EQ(std::vector<std::string>{document}, launch.Arguments);
}

TEST_F(ShellExecutePosix, WhatCannotBeStartedFailsTheLaunch)
{
  TScopedEnvironment opener("EXTRACTPANEL_OPENER", folder.File("no-such-opener"));
  EXPECT_EQ(31,
            (INT_PTR)ShellExecuteA(0, "open", document.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  // Executable, but no program the system can start.
  const std::string broken = folder.File("broken");
  ASSERT_TRUE(WriteWholeFile(broken, "not a program"));
  ASSERT_EQ(0, chmod(broken.c_str(), 0755));
  EXPECT_EQ(11, (INT_PTR)ShellExecuteA(0, "open", broken.c_str(), "x", nullptr, SW_SHOWNORMAL));
}

TEST_F(ShellExecutePosix, AnArmedFaultFailsTheLaunchBeforeAnythingStarts)
{
  ArmFault(FAULT_LAUNCH, 1, 1);
  EXPECT_LE((INT_PTR)ShellExecuteA(0, "open", BuildProgram("fakebrowser").c_str(), "x", nullptr,
                                   SW_SHOWNORMAL),
            32);
  EXPECT_GT((INT_PTR)ShellExecuteA(0, "open", BuildProgram("fakebrowser").c_str(), "y", nullptr,
                                   SW_SHOWNORMAL),
            32);
  TLaunch launch = ParseLaunchRecord(WaitForLaunchRecord(log));
  EXPECT_EQ(std::vector<std::string>{"y"}, launch.Arguments);
}

}  // namespace
