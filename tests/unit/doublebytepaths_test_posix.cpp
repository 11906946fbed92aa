// POSIX only: double-byte paths, the code page chosen through the test hook.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "folderpath.h"
#include "openbook.h"
#include "filecontent.h"
#include "pathsearch.h"
#include "platform.h"
#include "platform_codepage.h"
#include "programsearch.h"
#include "scopedenv.h"
#include "tempfolder.h"
#include "tpath.h"

namespace {

// Shift-JIS characters whose second byte has the code of a backslash and of
// a vertical bar.
const std::string KANJI_BACKSLASH = "\x95\x5C";
const std::string KANJI_BAR = "\x83\x7C";

class DoubleBytePaths : public ::testing::Test
{
protected:
  void TearDown() override { SetAnsiCodePage(0); }
};

std::string RootOf(const std::string& sPath)
{
  TText path;
  path.Assign(sPath.c_str());
  TText root;
  return TPath(path).GetRoot(root) ? root.Text() : "(none)";
}

TEST_F(DoubleBytePaths, SecondByteIsNeitherSeparatorNorForbidden)
{
  const std::string sBar = "C:\\Books\\" + KANJI_BAR;
  const std::string sBackslash = "C:\\" + KANJI_BACKSLASH + "\\New";
  const std::string sRelative = "Books" + KANJI_BAR;

  for (UINT nCodePage : {932u, 936u, 950u}) {
    SetAnsiCodePage(nCodePage);
    EXPECT_EQ(1, IsValidFolderPath(sBar.c_str())) << nCodePage;
    EXPECT_EQ(1, IsValidFolderPath(sBackslash.c_str())) << nCodePage;
    EXPECT_EQ(1, IsValidFolderPath(sRelative.c_str())) << nCodePage;
    EXPECT_EQ(0, HasForbiddenChars(sRelative.c_str())) << nCodePage;
  }
  SetAnsiCodePage(1252);
  EXPECT_EQ(0, IsValidFolderPath(sBar.c_str()));
  EXPECT_EQ(0, IsValidFolderPath(sBackslash.c_str()));
  EXPECT_EQ(1, HasForbiddenChars(sRelative.c_str()));
}

TEST_F(DoubleBytePaths, ForbiddenCharacterAfterADoubleByteOneStillCounts)
{
  SetAnsiCodePage(932);
  EXPECT_EQ(1, HasForbiddenChars(("C:\\" + KANJI_BACKSLASH + "|").c_str()));
  EXPECT_EQ(0, IsValidFolderPath(("C:\\" + KANJI_BACKSLASH + "\\\\x").c_str()));
  // A lead byte at the very end stands alone.
  EXPECT_EQ(1, HasForbiddenChars("C:\\a:\x95"));
  EXPECT_EQ(1, IsValidFolderPath("C:\\a\x95"));
}

// Only a real pair of backslashes is doubled for the browser.
TEST_F(DoubleBytePaths, LaunchPathDoublesOnlyWholeBackslashes)
{
  SetAnsiCodePage(932);
  TText launch;
  ASSERT_TRUE(MakeLaunchPath(("C:\\" + KANJI_BACKSLASH + "\\index.htm").c_str(), launch));
  EXPECT_EQ("C:\\" + KANJI_BACKSLASH + "\\index.htm", launch.Text());
  ASSERT_TRUE(MakeLaunchPath(("\\\\srv\\" + KANJI_BACKSLASH + "\\\\x").c_str(), launch));
  EXPECT_EQ("\\\\\\\\srv\\" + KANJI_BACKSLASH + "\\\\\\\\x", launch.Text());
}

TEST_F(DoubleBytePaths, ShareNamesStepOverWholeCharacters)
{
  const std::string sPath = "\\\\srv" + KANJI_BACKSLASH + "\\share\\Books";
  SetAnsiCodePage(932);
  EXPECT_EQ("\\\\srv" + KANJI_BACKSLASH + "\\share\\", RootOf(sPath));
  SetAnsiCodePage(1252);
  EXPECT_EQ("\\\\srv\x95\\\\", RootOf(sPath));
}

TEST_F(DoubleBytePaths, TrailingBackslashIsAWholeCharacter)
{
  const std::string sPath = "C:\\" + KANJI_BACKSLASH;
  TText path;
  ASSERT_TRUE(path.Assign(sPath.c_str()));
  SetAnsiCodePage(932);
  TPath(path).AddBackslash();
  EXPECT_EQ(sPath + "\\", path.Text());

  ASSERT_TRUE(path.Assign(sPath.c_str()));
  SetAnsiCodePage(1252);
  TPath(path).AddBackslash();
  EXPECT_EQ(sPath, path.Text());
}

TEST_F(DoubleBytePaths, LastSeparatorSearch)
{
  const std::string sText = "a\\b" + KANJI_BACKSLASH;
  SetAnsiCodePage(932);
  EXPECT_EQ(sText.c_str() + 1, FindLastPathChar(sText.c_str(), '\\'));
  EXPECT_EQ(nullptr, FindPathPair(("a" + KANJI_BACKSLASH + "\\").c_str(), "\\\\"));
  SetAnsiCodePage(1252);
  EXPECT_EQ(sText.c_str() + 4, FindLastPathChar(sText.c_str(), '\\'));
  EXPECT_NE(nullptr, FindPathPair(("a" + KANJI_BACKSLASH + "\\").c_str(), "\\\\"));
}

TEST_F(DoubleBytePaths, CommandLineSplitStepsOverWholeCharacters)
{
  // No double-byte code page has a space as a second byte; a lead byte in
  // front of one takes it along all the same, as the text is stepped.
  const std::string sCommand = "a\x95 b";
  SetAnsiCodePage(932);
  EXPECT_STREQ("", PathGetArgsA(sCommand.c_str()));
  SetAnsiCodePage(1252);
  EXPECT_STREQ("b", PathGetArgsA(sCommand.c_str()));
}

// A bare program name is one without a separator of its own: a second byte
// with the code of a backslash does not make it a relative path.
TEST_F(DoubleBytePaths, ABareProgramNameMayEndInTheSecondByteOfABackslash)
{
  TTempFolder folder;
  TScopedEnvironment windows("EXTRACTPANEL_WINDOWS_DIR", folder.Path());
  TScopedEnvironment registry("EXTRACTPANEL_REGISTRY_DIR", folder.File("registry"));
  const std::string sName = "b" + KANJI_BACKSLASH;
  ASSERT_TRUE(WriteWholeFile(folder.File(sName + ".exe"), "b"));
  TPathText file;
  SetAnsiCodePage(932);
  EXPECT_TRUE(FindProgramFile(sName.c_str(), sName.size(), file));
  EXPECT_EQ(folder.File(sName + ".exe"), file.Text());
  SetAnsiCodePage(1252);
  EXPECT_FALSE(FindProgramFile(sName.c_str(), sName.size(), file));
}

TEST_F(DoubleBytePaths, StandInsKnowTheLeadBytes)
{
  struct TRow
  {
    UINT nCodePage;
    unsigned nByte;
    BOOL bLead;
  };
  const TRow aRows[] = {
      {932, 0x80, FALSE},  {932, 0x81, TRUE},   {932, 0x9F, TRUE}, {932, 0xA0, FALSE},
      {932, 0xDF, FALSE},  {932, 0xE0, TRUE},   {932, 0xFC, TRUE}, {932, 0xFD, FALSE},
      {936, 0x80, FALSE},  {936, 0x81, TRUE},   {936, 0xFE, TRUE}, {936, 0xFF, FALSE},
      {949, 0x81, TRUE},   {949, 0xA0, TRUE},   {950, 0xFE, TRUE}, {950, 0x5C, FALSE},
      {1252, 0x81, FALSE}, {1252, 0xE0, FALSE},
  };
  for (const TRow& row : aRows) {
    SetAnsiCodePage(row.nCodePage);
    EXPECT_EQ(row.bLead, IsDBCSLeadByte((BYTE)row.nByte)) << row.nCodePage << " " << row.nByte;
  }

  SetAnsiCodePage(932);
  const char* pText =
      "\x95\x5C"
      "a\x95";
  EXPECT_EQ(pText + 2, CharNextA(pText));
  EXPECT_EQ(pText + 3, CharNextA(pText + 2));
  EXPECT_EQ(pText + 4, CharNextA(pText + 3));
  EXPECT_EQ(pText + 4, CharNextA(pText + 4));
  // A lead byte in front is no drive letter and no relative-path marker.
  EXPECT_TRUE(PathIsRelativeA("\x81:\\x"));
  EXPECT_EQ(nullptr, PathSkipRootA("\x81:\\x"));
  SetAnsiCodePage(1252);
  EXPECT_FALSE(PathIsRelativeA("\x81:\\x"));
}

TEST_F(DoubleBytePaths, CaseFoldingLeavesSecondBytesAlone)
{
  // Two different Shift-JIS characters whose second bytes are A and a.
  SetAnsiCodePage(932);
  EXPECT_NE(0, lstrcmpiA("\x83\x41", "\x83\x61"));
  EXPECT_EQ(0, lstrcmpiA("\x83\x41x", "\x83\x41X"));
  SetAnsiCodePage(1252);
  EXPECT_EQ(0, lstrcmpiA("\x83\x41", "\x83\x61"));
}

class AnsiCodePageFromLocale : public ::testing::Test
{
protected:
  void SetUp() override
  {
    for (const char* pName : {"LC_ALL", "LC_CTYPE", "LANG"})
      m_saved.emplace_back(new TScopedEnvironment(pName));
  }
  // The locale comes back before the code page is read from it again.
  void TearDown() override
  {
    m_saved.clear();
    SetAnsiCodePage(0);
  }
  UINT CodePageFor(const char* pName, const char* pValue)
  {
    setenv(pName, pValue, 1);
    SetAnsiCodePage(0);
    UINT nCodePage = GetACP();
    unsetenv(pName);
    return nCodePage;
  }

  std::vector<std::unique_ptr<TScopedEnvironment>> m_saved;
};

TEST_F(AnsiCodePageFromLocale, CharacterSetNamesTheCodePage)
{
  struct TRow
  {
    const char* pLocale;
    UINT nCodePage;
  };
  const TRow aRows[] = {
      {"ja_JP.SJIS", 932},
      {"ja_JP.Shift_JIS", 932},
      {"ja_JP.sjis@euro", 932},
      {"ja_JP.CP932", 932},
      {"zh_CN.GBK", 936},
      {"zh_CN.gb2312", 936},
      {"zh_TW.Big5", 950},
      {"zh_HK.BIG5-HKSCS", 950},
      {"ko_KR.EUC-KR", 949},
      {"ko_KR.CP949", 949},
      {"ja_JP.UTF-8", 1252},
      {"ja_JP", 1252},
      {"ja_JP.EUC-JP", 1252},
      {"C", 1252},
      {"", 1252},
      {"en_US.ISO-8859-1", 1252},
      {"xx.SJISX", 1252},
  };
  for (const TRow& row : aRows) {
    EXPECT_EQ(row.nCodePage, CodePageFor("LANG", row.pLocale)) << row.pLocale;
  }
  SetAnsiCodePage(0);
  EXPECT_EQ(1252u, GetACP());
}

TEST_F(AnsiCodePageFromLocale, FirstVariableSetWins)
{
  setenv("LANG", "ja_JP.SJIS", 1);
  setenv("LC_CTYPE", "zh_CN.GBK", 1);
  EXPECT_EQ(950u, CodePageFor("LC_ALL", "zh_TW.Big5"));
  EXPECT_EQ(1252u, CodePageFor("LC_ALL", "en_US.UTF-8"));
  // An empty LC_ALL counts as not set.
  EXPECT_EQ(936u, CodePageFor("LC_ALL", ""));
  unsetenv("LC_CTYPE");
  SetAnsiCodePage(0);
  EXPECT_EQ(932u, GetACP());
}

}  // namespace
