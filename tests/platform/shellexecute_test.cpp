// ShellExecuteA as the program uses it: a program with an argument text,
// split as Windows splits it, and a missing file.
#include <gtest/gtest.h>

#include <string>

#include "filecontent.h"
#include "launchlog.h"
#include "platform.h"
#include "process.h"
#include "scopedenv.h"
#include "tempfolder.h"

namespace {

struct ShellExecuteLaunch : ::testing::Test
{
  void SetUp() override { ASSERT_FALSE(folder.Path().empty()); }
  INT_PTR Launch(const std::string& file, const char* parameters)
  {
    return (INT_PTR)ShellExecuteA(0, "open", file.c_str(), parameters, 0, SW_SHOWNORMAL);
  }

  TTempFolder folder;
  std::string log = folder.File("launch.log");
  TScopedEnvironment logVariable{"EXTRACTPANEL_FAKEBROWSER_LOG", log};
};

TEST_F(ShellExecuteLaunch, AProgramGetsItsArgumentTextSplitAsWindowsDoes)
{
  ASSERT_GT(Launch(BuildProgram("fakebrowser"), "-url \"C:\\a b\\index.htm\" -new"), 32);
  TLaunch launch = ParseLaunchRecord(WaitForLaunchRecord(log));
  EXPECT_EQ((std::vector<std::string>{"-url", "C:\\a b\\index.htm", "-new"}), launch.Arguments);
}

TEST_F(ShellExecuteLaunch, AQuotedProgramPathIsStartedWhole)
{
  ASSERT_GT(Launch("\"" + BuildProgram("fakebrowser") + "\"", "x"), 32);
  TLaunch launch = ParseLaunchRecord(WaitForLaunchRecord(log));
  EXPECT_EQ(std::vector<std::string>{"x"}, launch.Arguments);
}

TEST_F(ShellExecuteLaunch, AMissingFileIsReportedAsNotFound)
{
  EXPECT_EQ(2, Launch(folder.File("missing.exe"), "x"));
  EXPECT_EQ(2, Launch(folder.File("missing.htm"), nullptr));
}

}  // namespace
