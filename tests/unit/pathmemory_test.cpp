// The path operations when no memory can be had: a defined answer, the
// caller's texts as they were, nothing made on the disk.
#include <gtest/gtest.h>

#include <string>

#include "faults.h"
#include "folderpath.h"
#include "platform.h"
#include "pathtesting.h"
#include "tempfolder.h"
#include "tpath.h"

namespace {

class PathMemoryFailure : public ::testing::Test
{
protected:
  void Starve() { ArmFault(FAULT_ALLOCATION, 1, 1000000); }
  void TearDown() override { ResetFaults(); }
};

TEST_F(PathMemoryFailure, GrowingTextKeepsItsValue)
{
  TText text;
  ASSERT_TRUE(text.Assign("ab"));
  Starve();
  EXPECT_FALSE(text.Append("cdefgh"));
  EXPECT_STREQ("ab", text.Text());
  EXPECT_TRUE(text.Assign("x"));  // fits where it is
}

TEST_F(PathMemoryFailure, ValidationRefuses)
{
  Starve();
  EXPECT_EQ(0, IsValidFolderPath("Books"));
  EXPECT_EQ(0, IsValidFolderPath("C:\\Books"));
  // Only the free form's copy needed memory for the empty text.
  EXPECT_EQ(0, IsValidFolderPath(""));
}

TEST_F(PathMemoryFailure, ForbiddenCharactersNeedNoMemory)
{
  Starve();
  EXPECT_EQ(1, HasForbiddenChars("C:\\a:b"));
  EXPECT_EQ(1, HasForbiddenChars("\\\\ser:ver\\share\\x"));
  EXPECT_EQ(0, HasForbiddenChars("C:\\ab"));
}

TEST_F(PathMemoryFailure, RootAndArgumentsAnswerNo)
{
  TText path;
  ASSERT_TRUE(path.Assign("C:\\Books"));
  TText root;
  TText command;
  ASSERT_TRUE(command.Assign("a.exe -x"));
  TText args;
  ASSERT_TRUE(args.Assign("o"));
  Starve();
  EXPECT_EQ(0, TPath(path).GetRoot(root));
  EXPECT_TRUE(root.IsEmpty());
  EXPECT_EQ(0, TPath(command).GetArgs(args));
  EXPECT_TRUE(args.IsEmpty());
}

TEST_F(PathMemoryFailure, InPlaceEditsLeaveTheTextAsItWas)
{
  TText path;
  ASSERT_TRUE(path.Assign("C:"));
  TText command;
  ASSERT_TRUE(command.Assign("a.exe -x"));
  Starve();
  EXPECT_EQ(1, TPath(path).AddBackslash());
  EXPECT_STREQ("C:", path.Text());
  EXPECT_EQ(1, TPath(command).RemoveArgs());
  EXPECT_STREQ("a.exe -x", command.Text());
}

TEST_F(PathMemoryFailure, FolderCreationFailsAndSaysWhy)
{
  TTempFolder scratch;
  const std::string sSep = PATH_SEPARATOR_TEXT;
  const std::string sDeep = scratch.File("A" + sSep + "B");
  TText deep;
  ASSERT_TRUE(deep.Assign(sDeep.c_str()));
  Starve();
  EXPECT_EQ(0, CreateDirectoryTree(sDeep.c_str(), nullptr));
  EXPECT_EQ((DWORD)ERROR_NOT_ENOUGH_MEMORY, GetLastError());
  // The member form gets as far as the parent it cannot name.
  EXPECT_EQ(0, TPath(deep).CreateDirectoryTree(nullptr));
  EXPECT_EQ((DWORD)ERROR_NOT_ENOUGH_MEMORY, GetLastError());
  ResetFaults();
  EXPECT_FALSE(pathtest::IsFolder(scratch.File("A")));
}

}  // namespace
