// POSIX: the started program against a read-only result file, which the
// stand-ins refuse even to root, as Windows would.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

#include "extractpanelrun.h"
#include "filecontent.h"
#include "tempfolder.h"

namespace {

TEST(RunControlEndToEndPosix, ReadOnlyResultFileIsLeftAsItWas)
{
  TTempFolder folder;
  std::string path = folder.File("run.rtp");
  const std::string before = "[ADRTP]\r\nExePath=/books\r\n";
  ASSERT_TRUE(WriteWholeFile(path, before));
  ASSERT_EQ(0, chmod(path.c_str(), 0444));
  EXPECT_EQ(1, RunExtractPanel({"-mode", "3", "-rtpfilename", path}).ExitStatus);
  EXPECT_EQ(0, RunExtractPanel({"-mode", "9", "-rtpfilename", path}).ExitStatus);
  EXPECT_EQ(before, ReadWholeFile(path));
}

}  // namespace
