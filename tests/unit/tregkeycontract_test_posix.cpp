// TRegKey's contract reports (debug builds: standard error on POSIX): the
// right text for each broken contract, and never a changed result.
#include <gtest/gtest.h>

#include <string>

#include "platform.h"
#include "registryscratch.h"
#include "text.h"
#include "tregkey.h"

namespace {

const std::string kKeySource = " in source/os/filesystem/tregkey\n";

std::string Report(const std::string& expression, const std::string& source = kKeySource)
{
  return "contract broken: " + expression + source;
}

}  // namespace

class RegKeyContract : public ::testing::Test
{
protected:
  void SetUp() override
  {
    ASSERT_EQ(0, key.Open(HKEY_CURRENT_USER, scratch.KeyPath().c_str(), KEY_ALL_ACCESS));
  }

  TRegistryScratch scratch;
  TRegKey key;
};

TEST_F(RegKeyContract, MissingParentIsReportedAndTheRegistryAnswers)
{
  TRegKey other;
  testing::internal::CaptureStderr();
  LONG opened = other.Open(nullptr, "x", KEY_READ);
  LONG created = other.Create(nullptr, "x", nullptr, 0, KEY_READ, nullptr, nullptr);
  std::string reports = testing::internal::GetCapturedStderr();
  EXPECT_EQ(ERROR_INVALID_HANDLE, opened);
  EXPECT_EQ(ERROR_INVALID_HANDLE, created);
  EXPECT_EQ(Report("hKeyParent != 0") +
                Report("hKeyParent != 0", " in source/os/filesystem/tregkeyholder\n"),
            reports);
}

TEST_F(RegKeyContract, TrailingBackslashOnOpenIsReportedYetOpens)
{
  TRegKey other;
  testing::internal::CaptureStderr();
  LONG opened = other.Open(HKEY_CURRENT_USER, (scratch.KeyPath() + "\\").c_str(), KEY_READ);
  std::string reports = testing::internal::GetCapturedStderr();
  EXPECT_EQ(0, opened);
  EXPECT_EQ(Report("lName[lName.GetLength() - 1] != '\\\\'"), reports);
  // An empty name has no last character to look at.
  testing::internal::CaptureStderr();
  EXPECT_EQ(0, other.Open(HKEY_CURRENT_USER, "", KEY_READ));
  EXPECT_EQ("", testing::internal::GetCapturedStderr());
}

TEST_F(RegKeyContract, OldKeyThatWillNotCloseIsReportedAndItsCodeReturned)
{
  // Closed behind the object's back: the hand-over's close then fails.
  RegCloseKey(key.m_hKey);
  testing::internal::CaptureStderr();
  LONG opened = key.Open(HKEY_CURRENT_USER, scratch.KeyPath().c_str(), KEY_ALL_ACCESS);
  std::string reports = testing::internal::GetCapturedStderr();
  EXPECT_EQ(ERROR_INVALID_HANDLE, opened);
  EXPECT_EQ(Report("lRes == 0L"), reports);
  // The new key is held all the same.
  EXPECT_EQ(0, key.SetValue(1u, "Usable"));
}

TEST_F(RegKeyContract, NumberReadOfAnUnexpectedShapeIsReportedButSucceeds)
{
  ASSERT_EQ(0, key.SetValue("abc", "Text"));
  ASSERT_EQ(0, RegSetValueExA(key.m_hKey, "Two", 0, REG_BINARY,
                              reinterpret_cast<const BYTE*>("\x05\x06"), 2));
  DWORD number = 0;
  testing::internal::CaptureStderr();
  EXPECT_EQ(0, key.QueryValue(number, "Text"));
  std::string textReports = testing::internal::GetCapturedStderr();
  EXPECT_EQ(0x00636261u, number);
  EXPECT_EQ(Report("(lRes!=0L) || (dwType == ( 4 )) || (dwType == ( 3 ) && dwCount == sizeof( DWORD))"),
            textReports);

  number = 0xAABBCCDDu;
  testing::internal::CaptureStderr();
  EXPECT_EQ(0, key.QueryValue(number, "Two"));
  std::string twoReports = testing::internal::GetCapturedStderr();
  // Only the two bytes stored land in the number.
  EXPECT_EQ(0xAABB0605u, number);
  EXPECT_EQ(Report("(lRes!=0L) || (dwType == ( 4 )) || (dwType == ( 3 ) && dwCount == sizeof( DWORD))") +
                Report("(lRes!=0L) || (dwCount == sizeof(DWORD))"),
            twoReports);

  // A failed read breaks no contract.
  testing::internal::CaptureStderr();
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, key.QueryValue(number, "Absent"));
  EXPECT_EQ("", testing::internal::GetCapturedStderr());
}

TEST_F(RegKeyContract, MissingArgumentsAndMissingKeyAreReported)
{
  testing::internal::CaptureStderr();
  LONG count = key.QueryValue(nullptr, "Absent", nullptr);
  LONG text = key.SetValue(static_cast<const char*>(nullptr), "Name");
  std::string reports = testing::internal::GetCapturedStderr();
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, count);
  // No crash on a missing text: the registry's answer to a bad argument.
  EXPECT_EQ(ERROR_INVALID_PARAMETER, text);
  EXPECT_EQ(Report("pdwCount != 0") + Report("lpszValue != 0"), reports);

  TRegKey empty;
  testing::internal::CaptureStderr();
  EXPECT_EQ(ERROR_INVALID_HANDLE, empty.SetValue("t", "Name"));
  EXPECT_EQ(ERROR_INVALID_HANDLE, empty.SetValue(1u, "Name"));
  EXPECT_EQ(ERROR_INVALID_HANDLE, empty.DeleteValue("Name"));
  EXPECT_EQ(Report("m_hKey != 0") + Report("m_hKey != 0") + Report("m_hKey != 0"),
            testing::internal::GetCapturedStderr());
}

TEST_F(RegKeyContract, OrdinaryUseReportsNothing)
{
  testing::internal::CaptureStderr();
  TRegKey book;
  EXPECT_EQ(0, book.Create(key.m_hKey, "Book", nullptr, 0, KEY_READ | KEY_WRITE, nullptr, nullptr));
  EXPECT_EQ(0, book.SetValue("text", "UserID"));
  EXPECT_EQ(0, book.SetValue(1u, "ShortcutOnDesktop"));
  DWORD number = 0;
  EXPECT_EQ(0, book.QueryValue(number, "ShortcutOnDesktop"));
  TText text;
  EXPECT_EQ(0, book.QueryValue(text, "UserID"));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, book.QueryValue(text, "Absent"));
  EXPECT_EQ(0, book.DeleteValue("ShortcutOnDesktop"));
  EXPECT_EQ(0, book.Close());
  EXPECT_EQ("", testing::internal::GetCapturedStderr());
}
