// Judging a typed extraction folder: forbidden characters by part of the
// path, doubled separators, roots, and the one look at the disk.
#include <gtest/gtest.h>

#include <string>

#include "folderpath.h"
#include "pathtesting.h"
#include "tempfolder.h"
#include "tpath.h"

namespace {

struct TVerdictRow
{
  const char* pPath;
  int nExpected;
};

void ExpectVerdicts(const TVerdictRow* pRows, size_t nRows)
{
  for (size_t i = 0; i < nRows; ++i) {
    EXPECT_EQ(pRows[i].nExpected, IsValidFolderPath(pRows[i].pPath))
        << "[" << pRows[i].pPath << "]";
  }
}

TEST(FolderPathValidation, RelativeTextsAreTakenAsTyped)
{
  const TVerdictRow aRows[] = {
      {"", 1},
      {"Books", 1},
      {"Books\\New", 1},
      {"Books/New", 1},
      {"..\\Books", 1},
      {"Books ", 1},
      {"Books.", 1},
      {"CON", 1},
      {"/usr/share/books", 1},
      {"Books\\\\New", 0},
      {"Books//New", 0},
      {"//server/share", 0},
      {"Books:New", 0},
      {"http://example.com/book", 0},
      {"a|b", 0},
      {"Bo*ks", 0},
  };
  ExpectVerdicts(aRows, sizeof aRows / sizeof aRows[0]);
}

TEST(FolderPathValidation, DriveRoots)
{
  const TVerdictRow aRows[] = {
      {"C:\\Books\\New", 1},
      {"C:", 1},
      {"c:\\", 1},
      {"C:\\", 1},
      {"C:\\Books\\", 1},
      {"C:\\Books/New", 1},
      {"z:\\x", 1},
      {"C:\\Books\\\\New", 0},
      {"C:\\Books//New", 0},
      {"C:\\\\Books", 0},
      {"C:\\Books\\a:b", 0},
      {"1:\\Books", 0},
      {"1:", 0},
      {"\\Books", 0},
      {"\\", 0},
      {"C:/Books", 0},
      {"CC:\\Books", 0},
      {"C:Books:x", 0},
  };
  ExpectVerdicts(aRows, sizeof aRows / sizeof aRows[0]);
}

TEST(FolderPathValidation, SharesNeedNotBeThere)
{
  const TVerdictRow aRows[] = {
      {"\\\\server\\share\\Books", 1},      {"\\\\server\\share", 1},
      {"\\\\server\\share\\", 1},           {"\\\\server", 1},
      {"\\\\server\\share\\Books//New", 0}, {"\\\\server\\share\\Books\\\\New", 0},
      {"\\\\ser:ver\\share\\Books", 0},     {"\\\\server\\share\\Bo:oks", 0},
      {"\\\\server\\sh?re\\Books", 0},
  };
  ExpectVerdicts(aRows, sizeof aRows / sizeof aRows[0]);
}

TEST(FolderPathValidation, EveryForbiddenCharacterRefusesAnywhere)
{
  const std::string sForbidden = "*?\"<>|";
  for (char c : sForbidden) {
    const std::string aPlaces[] = {
        std::string("C:\\Bo") + c + "oks",
        std::string("Bo") + c + "oks",
        std::string(1, c) + ":\\Books",
        std::string("C:Bo") + c + "oks",
        std::string("\\\\ser") + c + "ver\\share\\x",
        std::string("\\\\server\\share\\x") + c,
    };
    for (const std::string& sPath : aPlaces) {
      EXPECT_EQ(0, IsValidFolderPath(sPath.c_str())) << "[" << sPath << "]";
    }
  }
}

TEST(FolderPathValidation, NoLengthLimitOfItsOwn)
{
  std::string sLong = "C:\\" + std::string(256, 'a');
  ASSERT_EQ(259u, sLong.size());
  EXPECT_EQ(1, IsValidFolderPath(sLong.c_str()));
  EXPECT_EQ(1, IsValidFolderPath(std::string(600, 'b').c_str()));
  EXPECT_EQ(1, IsValidFolderPath(("C:\\" + std::string(600, 'c')).c_str()));
}

TEST(FolderPathValidation, UnmappedDriveIsAcceptedByItsForm)
{
  const char cDrive = pathtest::UnmappedDriveLetter();
  const std::string sRoot = std::string(1, cDrive) + ":";
  EXPECT_EQ(1, IsValidFolderPath((sRoot + "\\Books\\New").c_str()));
  EXPECT_EQ(1, IsValidFolderPath((sRoot + "\\").c_str()));
  EXPECT_EQ(1, IsValidFolderPath(sRoot.c_str()));
  EXPECT_EQ(0, IsValidFolderPath((sRoot + "Books").c_str()));
}

TEST(FolderPathValidation, ExistingFolderIsAccepted)
{
  TTempFolder scratch;
  EXPECT_EQ(1, IsValidFolderPath(scratch.Path().c_str()));
  EXPECT_EQ(1, IsValidFolderPath(scratch.File("not-there-yet").c_str()));
}

TEST(FolderPathValidation, DriveRelativeRootCountsWhenItIsThere)
{
  // C:Books is no drive root; it passes only when it names something.
  TTempFolder scratch;
  pathtest::CurrentFolder current(scratch.Path());
  const std::string sName = pathtest::DriveRelativeName("ep-books");
  EXPECT_EQ(0, IsValidFolderPath(sName.c_str()));
  pathtest::MakeDriveRelativeFolder("ep-books");
  EXPECT_EQ(1, IsValidFolderPath(sName.c_str()));
  // With nothing after a root, the whole text is the root, and that names
  // nothing here.
  EXPECT_EQ(0, IsValidFolderPath((sName + "\\Sub").c_str()));
}

TEST(FolderPathValidation, MemberFormLeavesTheTextAlone)
{
  const char* const aPaths[] = {"C:Books", "C:\\Books\\\\New", "Books", "\\\\server\\share"};
  for (const char* pPath : aPaths) {
    TText text;
    ASSERT_TRUE(text.Assign(pPath));
    TPath path(text);
    EXPECT_EQ(IsValidFolderPath(pPath), path.IsValidFolderPath()) << pPath;
    EXPECT_STREQ(pPath, text.Text());
    EXPECT_EQ(std::string(pPath).size(), text.GetLength());
  }
}

TEST(ForbiddenPathChars, SetsDependOnThePartOfThePath)
{
  const TVerdictRow aRows[] = {
      {"", 0},
      {"C:\\Books", 0},
      {"C:", 0},
      {"C:\\", 0},
      {"C:Books", 0},
      {"C:\\a/b\\c", 0},
      {"\\\\server\\share\\x", 0},
      {"\\\\server", 0},
      {"Books\\New", 0},
      {"\\Books", 0},
      // The drive root holds a colon of its own; one more in it passes here.
      {"C:Bo:oks", 0},
      {"a:b", 0},
      // A colon after the root, in a relative text, in a UNC root, or in a
      // text that starts with a backslash but has no root.
      {"C:\\Books\\a:b", 1},
      {"Books:x", 1},
      {"\\\\ser:ver\\share\\x", 1},
      {"\\\\server\\sh:are\\x", 1},
      {"\\\\server\\share\\a:b", 1},
      {"\\Bo:oks", 1},
      {"\\\\ser:ver", 1},
      {"\\\\server\\share:x\\", 1},
      {"*:\\Books", 1},
      {"C:Bo*oks", 1},
      {"C:\\Bo>oks", 1},
      {"Bo<oks", 1},
      {"\\\\server\\sh\"are\\x", 1},
      {"x|", 1},
  };
  for (const TVerdictRow& row : aRows) {
    EXPECT_EQ(row.nExpected, HasForbiddenChars(row.pPath)) << "[" << row.pPath << "]";
  }
}

}  // namespace
