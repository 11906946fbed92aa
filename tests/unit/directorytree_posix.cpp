// POSIX only: folder creation refused by the system, through the fault point
// of the folder stand-in.
#include <gtest/gtest.h>

#include <string>

#include "faults.h"
#include "platform.h"
#include "scratchfolder.h"
#include "tpath.h"

namespace {

class DirectoryTreeRefusals : public ::testing::Test
{
protected:
  void TearDown() override { ResetFaults(); }
};

TEST_F(DirectoryTreeRefusals, RefusedIntermediateFolderKeepsTheShallowerOnes)
{
  pathtest::ScratchFolder scratch;
  const std::string sDeep = scratch.Join("A/B/C");
  // Calls: A/B/C and A/B (parents missing), A (made), A/B again (refused).
  ArmFault(FAULT_CREATE_DIRECTORY, 4, 1);
  EXPECT_EQ(0, CreateDirectoryTree(sDeep.c_str(), nullptr));
  EXPECT_EQ((DWORD)ERROR_ACCESS_DENIED, GetLastError());
  EXPECT_TRUE(pathtest::IsFolder(scratch.Join("A")));
  EXPECT_FALSE(pathtest::IsFolder(scratch.Join("A/B")));
  EXPECT_FALSE(pathtest::IsFolder(scratch.Join("A/B/C")));
}

TEST_F(DirectoryTreeRefusals, RefusedFirstAttemptStillEndsWithTheFolder)
{
  // Only the answer ERROR_ALREADY_EXISTS ends the first attempt; any other
  // refusal leads to the parents and a second attempt.
  pathtest::ScratchFolder scratch;
  const std::string sFolder = scratch.Join("A");
  ArmFault(FAULT_CREATE_DIRECTORY, 1, 1);
  EXPECT_NE(0, CreateDirectoryTree(sFolder.c_str(), nullptr));
  EXPECT_TRUE(pathtest::IsFolder(sFolder));
}

TEST_F(DirectoryTreeRefusals, RefusedDeepestFolderFails)
{
  pathtest::ScratchFolder scratch;
  // Calls: A/B (parent missing), A (made), A/B again (refused).
  ArmFault(FAULT_CREATE_DIRECTORY, 3, 1);
  EXPECT_EQ(0, CreateDirectoryTree(scratch.Join("A/B").c_str(), nullptr));
  EXPECT_TRUE(pathtest::IsFolder(scratch.Join("A")));
  EXPECT_FALSE(pathtest::IsFolder(scratch.Join("A/B")));
}

TEST_F(DirectoryTreeRefusals, RefusedRelativeNameFails)
{
  pathtest::ScratchFolder scratch;
  pathtest::CurrentFolder current(scratch.Path());
  ArmFault(FAULT_CREATE_DIRECTORY, 1, 100);
  EXPECT_EQ(0, CreateDirectoryTree("book", nullptr));
  ResetFaults();
  EXPECT_FALSE(pathtest::IsFolder(scratch.Join("book")));
}

}  // namespace
