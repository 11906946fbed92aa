// The kernel's folder, attribute, environment, text and character functions as the
// program relies on them: under Wine the real ones, natively the stand-ins.
#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "platform.h"
#include "filecontent.h"
#include "pathtesting.h"
#include "scopedenv.h"
#include "tempfolder.h"

namespace {

TEST(KernelFilesConformance, CreateDirectoryMakesOneFolderWhoseParentExists)
{
  TTempFolder scratch;
  const std::string sFolder = scratch.File("made");
  EXPECT_TRUE(CreateDirectoryA(sFolder.c_str(), nullptr));
  EXPECT_TRUE(pathtest::IsFolder(sFolder));

  const std::string sWithSeparator = scratch.File("trailing") + PATH_SEPARATOR_TEXT;
  EXPECT_TRUE(CreateDirectoryA(sWithSeparator.c_str(), nullptr));
  EXPECT_TRUE(pathtest::IsFolder(scratch.File("trailing")));
}

TEST(KernelFilesConformance, CreateDirectoryReportsWhyItFailed)
{
  TTempFolder scratch;
  const std::string sFolder = scratch.File("twice");
  ASSERT_TRUE(CreateDirectoryA(sFolder.c_str(), nullptr));
  SetLastError(0);
  EXPECT_FALSE(CreateDirectoryA(sFolder.c_str(), nullptr));
  EXPECT_EQ((DWORD)ERROR_ALREADY_EXISTS, GetLastError());

  const std::string sFile = scratch.File("file");
  ASSERT_TRUE(WriteWholeFile(sFile, "x"));
  SetLastError(0);
  EXPECT_FALSE(CreateDirectoryA(sFile.c_str(), nullptr));
  EXPECT_EQ((DWORD)ERROR_ALREADY_EXISTS, GetLastError());
  EXPECT_TRUE(pathtest::IsFile(sFile));

  const std::string sOrphan = scratch.File(std::string("missing") + PATH_SEPARATOR_TEXT + "child");
  SetLastError(0);
  EXPECT_FALSE(CreateDirectoryA(sOrphan.c_str(), nullptr));
  EXPECT_EQ((DWORD)ERROR_PATH_NOT_FOUND, GetLastError());
  EXPECT_FALSE(pathtest::IsFolder(scratch.File("missing")));

  const std::string sUnderFile = sFile + PATH_SEPARATOR_TEXT + "child";
  SetLastError(0);
  EXPECT_FALSE(CreateDirectoryA(sUnderFile.c_str(), nullptr));
  EXPECT_EQ((DWORD)ERROR_PATH_NOT_FOUND, GetLastError());

  const DWORD ERROR_FILENAME_EXCED_RANGE_CODE = 206;
  SetLastError(0);
  EXPECT_FALSE(CreateDirectoryA(scratch.File(std::string(300, 'n')).c_str(), nullptr));
  EXPECT_EQ(ERROR_FILENAME_EXCED_RANGE_CODE, GetLastError());

  SetLastError(0);
  EXPECT_FALSE(CreateDirectoryA("", nullptr));
  EXPECT_EQ((DWORD)ERROR_PATH_NOT_FOUND, GetLastError());
}

TEST(KernelFilesConformance, FileAttributes)
{
  TTempFolder scratch;
  const std::string sFile = scratch.File("plain.txt");
  ASSERT_TRUE(WriteWholeFile(sFile, "x"));

  DWORD dwFolder = GetFileAttributesA(scratch.Path().c_str());
  ASSERT_NE(INVALID_FILE_ATTRIBUTES, dwFolder);
  EXPECT_TRUE(dwFolder & FILE_ATTRIBUTE_DIRECTORY);

  DWORD dwFile = GetFileAttributesA(sFile.c_str());
  ASSERT_NE(INVALID_FILE_ATTRIBUTES, dwFile);
  EXPECT_FALSE(dwFile & FILE_ATTRIBUTE_DIRECTORY);

  SetLastError(0);
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(scratch.File("missing").c_str()));
  EXPECT_EQ((DWORD)ERROR_FILE_NOT_FOUND, GetLastError());
}

// The program asks only whether two texts are equal.
TEST(KernelTextConformance, CompareWithRegardToCase)
{
  EXPECT_EQ(0, lstrcmpA("", ""));
  EXPECT_EQ(0, lstrcmpA("C:\\Books", "C:\\Books"));
  EXPECT_NE(0, lstrcmpA("abc", "ABC"));
  EXPECT_NE(0, lstrcmpA("C:\\", "c:\\"));
  EXPECT_NE(0, lstrcmpA("ab", "abc"));
  EXPECT_NE(0, lstrcmpA("abc", ""));
}

TEST(KernelTextConformance, CompareWithoutRegardToCase)
{
  EXPECT_EQ(0, lstrcmpiA("abc", "ABC"));
  EXPECT_EQ(0, lstrcmpiA("C:\\", "c:\\"));
  EXPECT_EQ(0, lstrcmpiA("", ""));
  EXPECT_NE(0, lstrcmpiA("abc", "ABD"));
  EXPECT_NE(0, lstrcmpiA("C:", "C:\\"));
  EXPECT_NE(0, lstrcmpiA("C:Books\\", "C:\\"));
}

TEST(KernelTextConformance, LengthAndSingleByteSteps)
{
  EXPECT_EQ(0, lstrlenA(""));
  EXPECT_EQ(8, lstrlenA("C:\\Books"));
  EXPECT_EQ(0, lstrlenA(nullptr));

  const char* pText = "ab";
  EXPECT_EQ(pText + 1, CharNextA(pText));
  EXPECT_EQ(pText + 2, CharNextA(pText + 1));
  EXPECT_EQ(pText + 2, CharNextA(pText + 2));
  for (char c : std::string("azAZ09\\/:*?\"<>| ")) {
    EXPECT_FALSE(IsDBCSLeadByte((BYTE)c)) << c;
  }
}

// Open commands stored as REG_EXPAND_SZ, and PATH, are read through
// ExpandEnvironmentStringsA: the size first, then one character more.
TEST(KernelEnvironmentConformance, ReferencesAreExpandedAndTheSizeIsReported)
{
  TScopedEnvironment variable("EPEXPANDPROBE", "C:\\Browse");
  TScopedEnvironment absent("EPEXPANDABSENT");
  struct
  {
    const char* pSource;
    std::string expected;
  } rows[] = {
      {"%EPEXPANDPROBE%\\browse.exe %1", "C:\\Browse\\browse.exe %1"},
      {"%epexpandprobe%", "C:\\Browse"},
      {"%EPEXPANDABSENT%\\x", "%EPEXPANDABSENT%\\x"},
      {"no reference", "no reference"},
  };
  for (const auto& row : rows) {
    DWORD needed = ExpandEnvironmentStringsA(row.pSource, nullptr, 0);
    EXPECT_LE(row.expected.size() + 1, needed) << row.pSource;
    std::string buffer(needed + 1, 'X');
    EXPECT_EQ(row.expected.size() + 1,
              ExpandEnvironmentStringsA(row.pSource, &buffer[0], needed + 1))
        << row.pSource;
    EXPECT_EQ(row.expected, buffer.c_str()) << row.pSource;
  }
}

TEST(KernelEnvironmentConformance, TheSystemFoldersAreThereAndTheirSizesReported)
{
  for (bool system : {true, false}) {
    char folder[MAX_PATH] = "";
    UINT length =
        system ? GetSystemDirectoryA(folder, MAX_PATH) : GetWindowsDirectoryA(folder, MAX_PATH);
    ASSERT_GT(length, 0u);
    ASSERT_LT(length, (UINT)MAX_PATH);
    EXPECT_EQ(length, strlen(folder));
    EXPECT_TRUE(pathtest::IsFolder(folder)) << folder;
    char small[2] = "";
    EXPECT_EQ(length + 1, system ? GetSystemDirectoryA(small, 2) : GetWindowsDirectoryA(small, 2));
  }
}

}  // namespace
