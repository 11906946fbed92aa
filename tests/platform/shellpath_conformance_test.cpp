// The shell's path functions as the program relies on them: under Wine the
// real ones, natively the stand-ins. Only forms on which Windows and Wine
// agree are asserted here.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform.h"
#include "filecontent.h"
#include "pathtesting.h"
#include "tempfolder.h"

namespace {

struct TPredicateRow
{
  const char* pInput;
  BOOL bExpected;
};

TEST(ShellPathConformance, IsRelative)
{
  const TPredicateRow aRows[] = {
      {"", TRUE},
      {"test.txt", TRUE},
      {"file://folder/test.txt", TRUE},
      {"file:///C:/test.txt", TRUE},
      {"/x", TRUE},
      {"//server/share", TRUE},
      {"x\\y", TRUE},
      {".\\x", TRUE},
      {"..\\x", TRUE},
      {" C:\\", TRUE},
      {"CC:\\", TRUE},
      {"\\\\folder\\test.txt", FALSE},
      {"C:\\test.txt", FALSE},
      {"C:", FALSE},
      {"C:Books", FALSE},
      {"C:/x", FALSE},
      {"\\x", FALSE},
      {"\\", FALSE},
      {"\\\\", FALSE},
      {"1:\\", FALSE},
  };
  for (const TPredicateRow& row : aRows) {
    EXPECT_EQ(row.bExpected, !!PathIsRelativeA(row.pInput)) << "[" << row.pInput << "]";
  }
}

TEST(ShellPathConformance, IsUnc)
{
  const TPredicateRow aRows[] = {
      {"\\\\server", TRUE},
      {"\\\\server\\", TRUE},
      {"\\\\server\\share", TRUE},
      {"\\\\server\\share\\x", TRUE},
      {"\\\\", TRUE},
      {"\\\\?\\UNC\\server\\share\\x", TRUE},
      {"C:\\", FALSE},
      {"\\x", FALSE},
      {"\\", FALSE},
      {"//server/share", FALSE},
      {"x", FALSE},
      {"", FALSE},
  };
  for (const TPredicateRow& row : aRows) {
    EXPECT_EQ(row.bExpected, !!PathIsUNCA(row.pInput)) << "[" << row.pInput << "]";
  }
}

TEST(ShellPathConformance, SkipRoot)
{
  struct TRow
  {
    const char* pInput;
    int nOffset;  // -1: no position
  };
  const TRow aRows[] = {
      {"C:\\", 3},
      {"c:\\", 3},
      {"C:\\x", 3},
      {"C:\\\\x", 3},
      {"1:\\", 3},
      {"C:", -1},
      {"C:Books", -1},
      {"C:/x", -1},
      {"\\\\server", -1},
      {"\\\\server\\", -1},
      {"\\\\server\\share", -1},
      {"\\\\", -1},
      {"\\\\server\\share\\", 15},
      {"\\\\server\\share\\x", 15},
      {"\\\\server\\share\\x\\y", 15},
      {"\\\\server\\share\\\\x", 15},
      {"\\\\?\\C:\\x", 7},
      {"\\\\?\\UNC\\server\\share\\x", 8},
      {"\\\\.\\pipe\\p", 9},
      {"\\x", -1},
      {"\\", -1},
      {"/x", -1},
      {"//server/share", -1},
      {"x", -1},
      {"", -1},
  };
  for (const TRow& row : aRows) {
    const char* pFound = PathSkipRootA(row.pInput);
    int nOffset = pFound ? (int)(pFound - row.pInput) : -1;
    EXPECT_EQ(row.nOffset, nOffset) << "[" << row.pInput << "]";
  }
}

TEST(ShellPathConformance, DriveNumber)
{
  struct TRow
  {
    const char* pInput;
    int nDrive;
  };
  const TRow aRows[] = {
      {"a:\\test.file", 0},
      {"C:\\", 2},
      {"C:", 2},
      {"C:Books", 2},
      {"C:/x", 2},
      {"c:\\", 2},
      {"C:\\\\x", 2},
      {"z:", 25},
      {"Z:\\x", 25},
      {"file:///c:\\test", -1},
      {"\\\\?\\C:\\dir\\file.txt", -1},
      {"1:\\", -1},
      {"CC:\\", -1},
      {" C:\\", -1},
      {"\\\\server\\share", -1},
      {"x", -1},
      {"", -1},
      {"@:", -1},
      {"[:", -1},
  };
  for (const TRow& row : aRows) {
    EXPECT_EQ(row.nDrive, PathGetDriveNumberA(row.pInput)) << "[" << row.pInput << "]";
  }
}

TEST(ShellPathConformance, BuildRoot)
{
  char aRoot[MAX_PATH];
  for (int nDrive = 0; nDrive < 26; ++nDrive) {
    std::memset(aRoot, 'X', sizeof aRoot);
    EXPECT_EQ(aRoot, PathBuildRootA(aRoot, nDrive));
    const char aExpected[] = {(char)('A' + nDrive), ':', '\\', 0};
    EXPECT_STREQ(aExpected, aRoot);
  }
  char aShort[4] = "aa";
  PathBuildRootA(aShort, 0);
  EXPECT_STREQ("A:\\", aShort);
}

TEST(ShellPathConformance, AddBackslash)
{
  struct TRow
  {
    const char* pInput;
    const char* pExpected;
  };
  const TRow aRows[] = {
      {"", ""},       {"one\\two", "one\\two\\"}, {"one\\..\\two", "one\\..\\two\\"},
      {" ", " \\"},   {"C:\\one\\", "C:\\one\\"}, {"C:", "C:\\"},
      {"a/", "a/\\"},
  };
  for (const TRow& row : aRows) {
    char aBuffer[MAX_PATH + 1];
    std::strcpy(aBuffer, row.pInput);
    char* pEnd = PathAddBackslashA(aBuffer);
    EXPECT_STREQ(row.pExpected, aBuffer) << "[" << row.pInput << "]";
    EXPECT_EQ(aBuffer + std::strlen(aBuffer), pEnd) << "[" << row.pInput << "]";
  }
}

TEST(ShellPathConformance, AddBackslashAtTheLengthLimit)
{
  // 259 characters still take a backslash: the result needs 261 bytes.
  std::string sLong(259, 'a');
  std::string sBuffer = sLong + std::string(8, '\0');
  ASSERT_NE(nullptr, PathAddBackslashA(&sBuffer[0]));
  EXPECT_STREQ((sLong + "\\").c_str(), sBuffer.c_str());

  for (size_t nLength : {260u, 261u, 520u}) {
    std::string sText(nLength, 'b');
    std::string sTooLong = sText + std::string(8, '\0');
    EXPECT_EQ(nullptr, PathAddBackslashA(&sTooLong[0])) << nLength;
    EXPECT_STREQ(sText.c_str(), sTooLong.c_str()) << nLength;
  }
}

TEST(ShellPathConformance, CommandLineArguments)
{
  struct TRow
  {
    const char* pInput;
    const char* pArgs;
    const char* pProgram;
  };
  const TRow aRows[] = {
      {"\"C:\\Program Files\\b.exe\" -nohome", "-nohome", "\"C:\\Program Files\\b.exe\""},
      {"C:\\Program Files\\b.exe %1", "Files\\b.exe %1", "C:\\Program"},
      {"b.exe", "", "b.exe"},
      {"\"C:\\a b\\c.exe\"", "", "\"C:\\a b\\c.exe\""},
      {"\"C:\\a b\\c.exe\" ", "", "\"C:\\a b\\c.exe\""},
      {"\"C:\\a b\\c.exe\"-x", "", "\"C:\\a b\\c.exe\"-x"},
      {"a.exe  -x", " -x", "a.exe"},
      {"a.exe -x ", "-x ", "a.exe"},
      {"\"unbalanced -x", "", "\"unbalanced -x"},
      {"a\tb", "", "a\tb"},
      {"a.exe\t-x", "", "a.exe\t-x"},
      {" leading", "leading", ""},
      {"a \"b c\" d", "\"b c\" d", "a"},
      {"C:\\a b\\c.exe \"arg one\"", "b\\c.exe \"arg one\"", "C:\\a"},
      {"", "", ""},
  };
  for (const TRow& row : aRows) {
    EXPECT_STREQ(row.pArgs, PathGetArgsA(row.pInput)) << "[" << row.pInput << "]";
    std::string sBuffer = row.pInput;
    PathRemoveArgsA(&sBuffer[0]);
    EXPECT_STREQ(row.pProgram, sBuffer.c_str()) << "[" << row.pInput << "]";
  }
  // No arguments: the answer is the terminating NUL of the text itself.
  const char* pText = "b.exe";
  EXPECT_EQ(pText + 5, PathGetArgsA(pText));
}

TEST(ShellPathConformance, FileExists)
{
  TTempFolder scratch;
  const std::string sFile = scratch.File("exists.txt");
  const std::string sFolder = scratch.File("folder");
  ASSERT_TRUE(WriteWholeFile(sFile, "x"));
  pathtest::MakeFolder(sFolder);

  EXPECT_TRUE(PathFileExistsA(sFile.c_str()));
  EXPECT_TRUE(PathFileExistsA(sFolder.c_str()));
  EXPECT_TRUE(PathFileExistsA((sFolder + PATH_SEPARATOR_TEXT).c_str()));

  SetLastError(0);
  EXPECT_FALSE(PathFileExistsA(scratch.File("missing.txt").c_str()));
  EXPECT_EQ((DWORD)ERROR_FILE_NOT_FOUND, GetLastError());
  SetLastError(0);
  EXPECT_FALSE(PathFileExistsA((sFile + PATH_SEPARATOR_TEXT).c_str()));
  EXPECT_EQ((DWORD)ERROR_PATH_NOT_FOUND, GetLastError());
  EXPECT_FALSE(PathFileExistsA(
      scratch.File(std::string("missing") + PATH_SEPARATOR_TEXT + "x.txt").c_str()));
}

}  // namespace
