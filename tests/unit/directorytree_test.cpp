// Making a folder together with the parents it lacks.
#include <gtest/gtest.h>

#include <string>

#include "platform.h"
#include "filecontent.h"
#include "pathtesting.h"
#include "tempfolder.h"
#include "tpath.h"

namespace {

const std::string SEP = PATH_SEPARATOR_TEXT;

TEST(DirectoryTree, ExistingFolderIsKept)
{
  TTempFolder scratch;
  ASSERT_TRUE(WriteWholeFile(scratch.File("keep.txt"), "x"));
  EXPECT_NE(0, CreateDirectoryTree(scratch.Path().c_str(), nullptr));
  EXPECT_TRUE(pathtest::IsFile(scratch.File("keep.txt")));
}

TEST(DirectoryTree, MakesEveryMissingLevel)
{
  TTempFolder scratch;
  const std::string sDeep = scratch.File("A" + SEP + "B" + SEP + "C");
  EXPECT_NE(0, CreateDirectoryTree(sDeep.c_str(), nullptr));
  EXPECT_TRUE(pathtest::IsFolder(scratch.File("A")));
  EXPECT_TRUE(pathtest::IsFolder(scratch.File("A" + SEP + "B")));
  EXPECT_TRUE(pathtest::IsFolder(sDeep));
  // Again: everything is there now.
  EXPECT_NE(0, CreateDirectoryTree(sDeep.c_str(), nullptr));
}

TEST(DirectoryTree, TrailingSeparatorMakesTheFolderBeforeIt)
{
  TTempFolder scratch;
  const std::string sFolder = scratch.File("A" + SEP + "B");
  EXPECT_NE(0, CreateDirectoryTree((sFolder + SEP).c_str(), nullptr));
  EXPECT_TRUE(pathtest::IsFolder(sFolder));
}

TEST(DirectoryTree, MemberFormLeavesTheTextAlone)
{
  TTempFolder scratch;
  const std::string sDeep = scratch.File("A" + SEP + "B");
  TText text;
  ASSERT_TRUE(text.Assign(sDeep.c_str()));
  EXPECT_NE(0, TPath(text).CreateDirectoryTree(nullptr));
  EXPECT_EQ(sDeep, text.Text());
  EXPECT_TRUE(pathtest::IsFolder(sDeep));
}

TEST(DirectoryTree, FileOfThatNameCountsAsPresent)
{
  TTempFolder scratch;
  const std::string sFile = scratch.File("book");
  ASSERT_TRUE(WriteWholeFile(sFile, "x"));
  EXPECT_EQ(1, CreateDirectoryTree(sFile.c_str(), nullptr));
  EXPECT_TRUE(pathtest::IsFile(sFile));
}

TEST(DirectoryTree, FileInTheWayOfAParentFails)
{
  TTempFolder scratch;
  ASSERT_TRUE(WriteWholeFile(scratch.File("book"), "x"));
  EXPECT_EQ(0, CreateDirectoryTree(scratch.File("book" + SEP + "A" + SEP + "B").c_str(), nullptr));
  EXPECT_TRUE(pathtest::IsFile(scratch.File("book")));
}

TEST(DirectoryTree, EmptyTextFails)
{
  EXPECT_EQ(0, CreateDirectoryTree("", nullptr));
  TText empty;
  EXPECT_EQ(0, TPath(empty).CreateDirectoryTree(nullptr));
}

TEST(DirectoryTree, RelativeNamesAreMadeInTheCurrentFolder)
{
  TTempFolder scratch;
  pathtest::CurrentFolder current(scratch.Path());
  EXPECT_NE(0, CreateDirectoryTree(("rel" + SEP + "sub").c_str(), nullptr));
  EXPECT_TRUE(pathtest::IsFolder(scratch.File("rel" + SEP + "sub")));

  // A name no file system takes: its shallowest level fails and so does
  // the whole.
  const std::string sTooLong(300, 'n');
  EXPECT_EQ(0, CreateDirectoryTree(sTooLong.c_str(), nullptr));
  EXPECT_EQ(0, CreateDirectoryTree((sTooLong + SEP + "sub").c_str(), nullptr));
  EXPECT_FALSE(pathtest::IsFolder(scratch.File(sTooLong)));
}

}  // namespace
