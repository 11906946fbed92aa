// POSIX only: where Wine and Windows differ, the stand-ins follow Windows.
#include <gtest/gtest.h>

#include <cstring>

#include "platform.h"

namespace {

TEST(ShellPathWindowsRules, ExtendedLengthPathsAreNoUncPaths)
{
  EXPECT_FALSE(PathIsUNCA("\\\\?\\C:\\x"));
  EXPECT_FALSE(PathIsUNCA("\\\\?\\"));
  EXPECT_FALSE(PathIsUNCA("\\\\?\\UNCx\\server"));
  EXPECT_TRUE(PathIsUNCA("\\\\?\\UNC\\server\\share\\x"));
  EXPECT_TRUE(PathIsUNCA("\\\\?\\unc\\server\\share"));
  EXPECT_TRUE(PathIsUNCA("\\\\?x"));
}

TEST(ShellPathWindowsRules, BuildRootOutOfRangeLeavesTheBuffer)
{
  char aRoot[8] = "xyz";
  EXPECT_EQ(aRoot, PathBuildRootA(aRoot, -1));
  EXPECT_STREQ("xyz", aRoot);
  EXPECT_EQ(aRoot, PathBuildRootA(aRoot, 26));
  EXPECT_STREQ("xyz", aRoot);
}

}  // namespace
