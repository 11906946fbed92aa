// Windows only: making folders on roots, drives and names that Windows
// itself refuses.
#include <gtest/gtest.h>

#include <string>

#include "platform.h"
#include "scratchfolder.h"
#include "tpath.h"

namespace {

TEST(DirectoryTreeWindowsForms, RootsCountAsPresent)
{
  EXPECT_EQ(1, CreateDirectoryTree("C:\\", nullptr));
  EXPECT_EQ(1, CreateDirectoryTree("C:", nullptr));
  const std::string sDrive(1, pathtest::UnmappedDriveLetter());
  EXPECT_EQ(1, CreateDirectoryTree((sDrive + ":\\").c_str(), nullptr));
  EXPECT_EQ(1, CreateDirectoryTree((sDrive + ":").c_str(), nullptr));
}

TEST(DirectoryTreeWindowsForms, MissingDriveFailsAtItsFirstFolder)
{
  const std::string sDrive(1, pathtest::UnmappedDriveLetter());
  EXPECT_EQ(0, CreateDirectoryTree((sDrive + ":\\A\\B\\C").c_str(), nullptr));
  EXPECT_EQ(0, CreateDirectoryTree((sDrive + ":\\A").c_str(), nullptr));
}

TEST(DirectoryTreeWindowsForms, RefusedIntermediateFolderKeepsWhatWasMade)
{
  pathtest::ScratchFolder scratch;
  // Windows takes no '*' in a name: the second level cannot be made.
  const std::string sPath = scratch.Join("A\\B*\\C");
  EXPECT_EQ(0, CreateDirectoryTree(sPath.c_str(), nullptr));
  EXPECT_TRUE(pathtest::IsFolder(scratch.Join("A")));
  EXPECT_NE((DWORD)ERROR_ALREADY_EXISTS, GetLastError());
}

}  // namespace
