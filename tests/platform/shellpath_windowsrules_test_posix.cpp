// POSIX only: where Wine and Windows differ, the stand-ins follow Windows.
#include <gtest/gtest.h>

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

}  // namespace
