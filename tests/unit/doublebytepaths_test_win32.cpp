// Windows only: paths in the double-byte ANSI code page 932.
// ctest runs this suite in a Japanese locale, from which Wine takes its code
// page; run by hand elsewhere, it is skipped.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "ansipath.h"
#include "folderpath.h"
#include "openbook.h"
#include "platform.h"
#include "tempfolder.h"
#include "tpath.h"

namespace {

// Shift-JIS characters whose second byte has the code of a backslash and of
// a vertical bar.
const std::string KANJI_BACKSLASH = "\x95\x5C";
const std::string KANJI_BAR = "\x83\x7C";

std::vector<std::string> NamesIn(const std::string& sFolder)
{
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE hFind = FindFirstFileA((sFolder + "\\*").c_str(), &found);
  if (hFind == INVALID_HANDLE_VALUE) return names;
  do {
    std::string sName = found.cFileName;
    if (sName != "." && sName != "..") names.push_back(sName);
  } while (FindNextFileA(hFind, &found));
  FindClose(hFind);
  return names;
}

class DoubleBytePathsWindows : public ::testing::Test
{
protected:
  void SetUp() override
  {
    if (GetACP() == 932) return;
    if (std::getenv("EP_EXPECT_DOUBLE_BYTE")) {
      FAIL() << "the ANSI code page is " << GetACP() << ", not 932";
    }
    GTEST_SKIP() << "the ANSI code page is " << GetACP() << ", not 932";
  }
};

TEST_F(DoubleBytePathsWindows, SecondByteIsNeitherSeparatorNorForbidden)
{
  EXPECT_EQ(1, IsValidFolderPath(("C:\\Books\\" + KANJI_BAR).c_str()));
  EXPECT_EQ(1, IsValidFolderPath(("C:\\" + KANJI_BACKSLASH + "\\New").c_str()));
  EXPECT_EQ(1, IsValidFolderPath(("Books" + KANJI_BAR).c_str()));
  EXPECT_EQ(0, HasForbiddenChars(("Books" + KANJI_BAR).c_str()));
  EXPECT_EQ(1, HasForbiddenChars(("C:\\" + KANJI_BACKSLASH + "|").c_str()));
  EXPECT_EQ(0, IsValidFolderPath(("C:\\" + KANJI_BACKSLASH + "\\\\x").c_str()));
}

TEST_F(DoubleBytePathsWindows, RootsAndBackslashesAreWholeCharacters)
{
  TText path;
  ASSERT_TRUE(path.Assign(("\\\\srv" + KANJI_BACKSLASH + "\\share\\Books").c_str()));
  TText root;
  ASSERT_EQ(1, TPath(path).GetRoot(root));
  EXPECT_EQ("\\\\srv" + KANJI_BACKSLASH + "\\share\\", root.Text());

  const std::string sFolder = "C:\\" + KANJI_BACKSLASH;
  ASSERT_TRUE(path.Assign(sFolder.c_str()));
  TPath(path).AddBackslash();
  EXPECT_EQ(sFolder + "\\", path.Text());
}

TEST_F(DoubleBytePathsWindows, FolderTreeWithDoubleByteNames)
{
  TTempFolder scratch;
  // Wine keeps such names on the host only when the host has the locale.
  const std::string sProbe = scratch.Path() + "\\" + KANJI_BAR;
  if (!CreateDirectoryA(sProbe.c_str(), nullptr)) {
    GTEST_SKIP() << "the file system takes no double-byte names here (error " << GetLastError()
                 << "); the Japanese locale is missing on the host";
  }
  RemoveDirectoryA(sProbe.c_str());

  // The last name ends in a second byte with the code of a backslash: cut
  // there, its parent would be a folder of a wrong name.
  const std::string sTop = scratch.Path() + "\\" + KANJI_BACKSLASH;
  const std::string sDeep = sTop + "\\x" + KANJI_BACKSLASH;
  EXPECT_NE(0, CreateDirectoryTree(sDeep.c_str(), nullptr));
  DWORD dwAttributes = GetFileAttributesA(sDeep.c_str());
  ASSERT_NE(INVALID_FILE_ATTRIBUTES, dwAttributes);
  EXPECT_TRUE(dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(std::vector<std::string>{KANJI_BACKSLASH}, NamesIn(scratch.Path()));
  EXPECT_EQ(std::vector<std::string>{"x" + KANJI_BACKSLASH}, NamesIn(sTop));
}

// Only a real pair of backslashes is doubled for the browser.
TEST_F(DoubleBytePathsWindows, LaunchPathDoublesOnlyWholeBackslashes)
{
  TText launch;
  ASSERT_TRUE(MakeLaunchPath(("C:\\" + KANJI_BACKSLASH + "\\index.htm").c_str(), launch));
  EXPECT_EQ("C:\\" + KANJI_BACKSLASH + "\\index.htm", launch.Text());
  ASSERT_TRUE(MakeLaunchPath(("\\\\srv\\" + KANJI_BACKSLASH + "\\\\x").c_str(), launch));
  EXPECT_EQ("\\\\\\\\srv\\" + KANJI_BACKSLASH + "\\\\\\\\x", launch.Text());
}

// A wide name goes into the code page whole or not at all: no look-alike,
// no text cut to the buffer.
TEST_F(DoubleBytePathsWindows, WideNamesConvertWholeOrNotAtAll)
{
  struct Row
  {
    const wchar_t* wide;
    int size;
    const char* ansi;  // null: refused
  };
  const std::string sTable = "C:\\" + KANJI_BACKSLASH;
  const Row rows[] = {
      {L"C:\\\u8868", MAX_PATH, sTable.c_str()},
      {L"C:\\\u8868", 6, sTable.c_str()},
      {L"C:\\\u8868", 5, nullptr},
      {L"C:\\\u0141\u00f3d\u017a", MAX_PATH, nullptr},
  };
  for (const Row& row : rows) {
    char ansi[MAX_PATH] = "old";
    bool bTaken = WideToAnsi(row.wide, ansi, row.size);
    EXPECT_EQ(row.ansi != nullptr, bTaken) << row.size;
    EXPECT_STREQ(row.ansi ? row.ansi : "", ansi) << row.size;
  }
}

}  // namespace
