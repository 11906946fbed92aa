// POSIX only: folder creation refused through the fault point of the stand-in.
#include <gtest/gtest.h>

#include <string>

#include "faults.h"
#include "platform.h"
#include "pathtesting.h"
#include "tempfolder.h"
#include "tpath.h"

namespace {

class DirectoryTreeRefusals : public ::testing::Test
{
protected:
  void TearDown() override { ResetFaults(); }
};

TEST_F(DirectoryTreeRefusals, RefusedIntermediateFolderKeepsTheShallowerOnes)
{
  TTempFolder scratch;
  const std::string sDeep = scratch.File("A/B/C");
  // Calls: A/B/C and A/B (parents missing), A (made), A/B again (refused).
  ArmFault(FAULT_CREATE_DIRECTORY, 4, 1);
  EXPECT_EQ(0, CreateDirectoryTree(sDeep.c_str(), nullptr));
  EXPECT_EQ((DWORD)ERROR_ACCESS_DENIED, GetLastError());
  EXPECT_TRUE(pathtest::IsFolder(scratch.File("A")));
  EXPECT_FALSE(pathtest::IsFolder(scratch.File("A/B")));
  EXPECT_FALSE(pathtest::IsFolder(scratch.File("A/B/C")));
}

TEST_F(DirectoryTreeRefusals, RefusedFirstAttemptStillEndsWithTheFolder)
{
  // Only the answer ERROR_ALREADY_EXISTS ends the first attempt; any other
  // refusal leads to the parents and a second attempt.
  TTempFolder scratch;
  const std::string sFolder = scratch.File("A");
  ArmFault(FAULT_CREATE_DIRECTORY, 1, 1);
  EXPECT_NE(0, CreateDirectoryTree(sFolder.c_str(), nullptr));
  EXPECT_TRUE(pathtest::IsFolder(sFolder));
}

TEST_F(DirectoryTreeRefusals, RefusedDeepestFolderFails)
{
  TTempFolder scratch;
  // Calls: A/B (parent missing), A (made), A/B again (refused).
  ArmFault(FAULT_CREATE_DIRECTORY, 3, 1);
  EXPECT_EQ(0, CreateDirectoryTree(scratch.File("A/B").c_str(), nullptr));
  EXPECT_TRUE(pathtest::IsFolder(scratch.File("A")));
  EXPECT_FALSE(pathtest::IsFolder(scratch.File("A/B")));
}

TEST_F(DirectoryTreeRefusals, RefusedRelativeNameFails)
{
  TTempFolder scratch;
  pathtest::CurrentFolder current(scratch.Path());
  ArmFault(FAULT_CREATE_DIRECTORY, 1, 100);
  EXPECT_EQ(0, CreateDirectoryTree("book", nullptr));
  ResetFaults();
  EXPECT_FALSE(pathtest::IsFolder(scratch.File("book")));
}

}  // namespace
