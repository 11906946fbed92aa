// Making a folder together with the parents it lacks.
#include <gtest/gtest.h>

#include <string>

#include "platform.h"
#include "scratchfolder.h"
#include "tpath.h"

namespace {

const std::string SEP = PATH_SEPARATOR_TEXT;

TEST(DirectoryTree, ExistingFolderIsKept)
{
  pathtest::ScratchFolder scratch;
  pathtest::WriteTextFile(scratch.Join("keep.txt"));
  EXPECT_NE(0, CreateDirectoryTree(scratch.Path().c_str(), nullptr));
  EXPECT_TRUE(pathtest::IsFile(scratch.Join("keep.txt")));
}

TEST(DirectoryTree, MakesEveryMissingLevel)
{
  pathtest::ScratchFolder scratch;
  const std::string sDeep = scratch.Join("A" + SEP + "B" + SEP + "C");
  EXPECT_NE(0, CreateDirectoryTree(sDeep.c_str(), nullptr));
  EXPECT_TRUE(pathtest::IsFolder(scratch.Join("A")));
  EXPECT_TRUE(pathtest::IsFolder(scratch.Join("A" + SEP + "B")));
  EXPECT_TRUE(pathtest::IsFolder(sDeep));
  // Again: everything is there now.
  EXPECT_NE(0, CreateDirectoryTree(sDeep.c_str(), nullptr));
}

TEST(DirectoryTree, TrailingSeparatorMakesTheFolderBeforeIt)
{
  pathtest::ScratchFolder scratch;
  const std::string sFolder = scratch.Join("A" + SEP + "B");
  EXPECT_NE(0, CreateDirectoryTree((sFolder + SEP).c_str(), nullptr));
  EXPECT_TRUE(pathtest::IsFolder(sFolder));
}

TEST(DirectoryTree, MemberFormLeavesTheTextAlone)
{
  pathtest::ScratchFolder scratch;
  const std::string sDeep = scratch.Join("A" + SEP + "B");
  TText text;
  ASSERT_TRUE(text.Assign(sDeep.c_str()));
  EXPECT_NE(0, TPath(text).CreateDirectoryTree(nullptr));
  EXPECT_EQ(sDeep, text.Text());
  EXPECT_TRUE(pathtest::IsFolder(sDeep));
}

TEST(DirectoryTree, FileOfThatNameCountsAsPresent)
{
  pathtest::ScratchFolder scratch;
  const std::string sFile = scratch.Join("book");
  pathtest::WriteTextFile(sFile);
  EXPECT_EQ(1, CreateDirectoryTree(sFile.c_str(), nullptr));
  EXPECT_TRUE(pathtest::IsFile(sFile));
}

TEST(DirectoryTree, FileInTheWayOfAParentFails)
{
  pathtest::ScratchFolder scratch;
  pathtest::WriteTextFile(scratch.Join("book"));
  EXPECT_EQ(0, CreateDirectoryTree(scratch.Join("book" + SEP + "A" + SEP + "B").c_str(), nullptr));
  EXPECT_TRUE(pathtest::IsFile(scratch.Join("book")));
}

TEST(DirectoryTree, EmptyTextFails)
{
  EXPECT_EQ(0, CreateDirectoryTree("", nullptr));
  TText empty;
  EXPECT_EQ(0, TPath(empty).CreateDirectoryTree(nullptr));
}

TEST(DirectoryTree, RelativeNamesAreMadeInTheCurrentFolder)
{
  pathtest::ScratchFolder scratch;
  pathtest::CurrentFolder current(scratch.Path());
  EXPECT_NE(0, CreateDirectoryTree(("rel" + SEP + "sub").c_str(), nullptr));
  EXPECT_TRUE(pathtest::IsFolder(scratch.Join("rel" + SEP + "sub")));

  // A name no file system takes: its shallowest level fails and so does
  // the whole.
  const std::string sTooLong(300, 'n');
  EXPECT_EQ(0, CreateDirectoryTree(sTooLong.c_str(), nullptr));
  EXPECT_EQ(0, CreateDirectoryTree((sTooLong + SEP + "sub").c_str(), nullptr));
  EXPECT_FALSE(pathtest::IsFolder(scratch.Join(sTooLong)));
}

}  // namespace
