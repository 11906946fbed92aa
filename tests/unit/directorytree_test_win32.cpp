// Windows only: folders on roots, missing drives and names Windows refuses.
#include <gtest/gtest.h>

#include <string>

#include "platform.h"
#include "pathtesting.h"
#include "tempfolder.h"
#include "tpath.h"

namespace {

TEST(DirectoryTreeWindowsForms, RootsCountAsPresent)
{
  EXPECT_EQ(1, CreateDirectoryTree("C:\\", nullptr));
  EXPECT_EQ(1, CreateDirectoryTree("C:", nullptr));
  const std::string sDrive(1, pathtest::UnmappedDriveLetter());
  EXPECT_EQ(1, CreateDirectoryTree((sDrive + ":\\").c_str(), nullptr));
  EXPECT_EQ(1, CreateDirectoryTree((sDrive + ":").c_str(), nullptr));
  // A share counts as present, a folder in it does not.
  EXPECT_EQ(1, CreateDirectoryTree("\\\\server\\share", nullptr));
  EXPECT_EQ(0, CreateDirectoryTree("\\\\server\\share\\Books", nullptr));
}

TEST(DirectoryTreeWindowsForms, MissingDriveFailsAtItsFirstFolder)
{
  const std::string sDrive(1, pathtest::UnmappedDriveLetter());
  EXPECT_EQ(0, CreateDirectoryTree((sDrive + ":\\A\\B\\C").c_str(), nullptr));
  EXPECT_EQ(0, CreateDirectoryTree((sDrive + ":\\A").c_str(), nullptr));
}

TEST(DirectoryTreeWindowsForms, RefusedIntermediateFolderKeepsWhatWasMade)
{
  TTempFolder scratch;
  // Windows takes no '*' in a name: the second level cannot be made.
  const std::string sPath = scratch.File("A\\B*\\C");
  EXPECT_EQ(0, CreateDirectoryTree(sPath.c_str(), nullptr));
  EXPECT_TRUE(pathtest::IsFolder(scratch.File("A")));
  EXPECT_NE((DWORD)ERROR_ALREADY_EXISTS, GetLastError());
}

}  // namespace
