// TRegKey against the registry of the platform: Windows' own under Wine, the
// POSIX store natively. Both must give the same answers.
#include <gtest/gtest.h>

#include <string>

#include "platform.h"
#include "scopedenv.h"
#include "testregistry.h"
#include "text.h"
#include "tregkey.h"

class RegKeyFixture : public ::testing::Test
{
protected:
  std::string Path(const std::string& subkey = "") const
  {
    return subkey.empty() ? scratch.KeyPath() : scratch.KeyPath() + "\\" + subkey;
  }

  // A value's bytes as the registry holds them, or "<code N>"; its type in *type.
  std::string ReadRaw(const char* name, const std::string& subkey = "", DWORD* type = nullptr) const
  {
    HKEY key = nullptr;
    LONG result = RegOpenKeyExA(HKEY_CURRENT_USER, Path(subkey).c_str(), 0, KEY_READ, &key);
    std::string bytes(100000, '\0');
    DWORD size = static_cast<DWORD>(bytes.size());
    if (result == 0)
      result = RegQueryValueExA(key, name, 0, type, reinterpret_cast<BYTE*>(&bytes[0]), &size);
    if (key) RegCloseKey(key);
    return result == 0 ? bytes.substr(0, size) : "<code " + std::to_string(result) + ">";
  }

  void WriteRaw(const char* name, DWORD type, const std::string& bytes)
  {
    HKEY key = nullptr;
    ASSERT_EQ(0, RegOpenKeyExA(HKEY_CURRENT_USER, Path().c_str(), 0, KEY_ALL_ACCESS, &key));
    EXPECT_EQ(0, RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                                static_cast<DWORD>(bytes.size())));
    RegCloseKey(key);
  }

  LONG Create(TRegKey& key, const std::string& subkey, DWORD* disposition = nullptr)
  {
    return key.Create(HKEY_CURRENT_USER, Path(subkey).c_str(), nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_READ | KEY_WRITE, nullptr, disposition);
  }

  TRegistryScratch scratch;
};

class RegKeyLifetime : public RegKeyFixture
{};
class RegKeyValues : public RegKeyFixture
{};
class RegKeyAccess : public RegKeyFixture
{};
class RegKeyNames : public RegKeyFixture
{};

TEST_F(RegKeyLifetime, CloseAndDestructionReleaseTheHandleOnce)
{
  TRegKey key;
  EXPECT_EQ(0, key.Close());
  ASSERT_EQ(0, key.Open(HKEY_CURRENT_USER, Path().c_str(), KEY_READ));
  HKEY held = key.m_hKey;
  EXPECT_EQ(0, key.Close());
  EXPECT_EQ(nullptr, key.m_hKey);
  EXPECT_EQ(0, key.Close());
  EXPECT_EQ(ERROR_INVALID_HANDLE, RegCloseKey(held));
  {
    TRegKey scoped;
    ASSERT_EQ(0, scoped.Open(HKEY_CURRENT_USER, Path().c_str(), KEY_READ));
    held = scoped.m_hKey;
  }
  EXPECT_EQ(ERROR_INVALID_HANDLE, RegCloseKey(held));
}

TEST_F(RegKeyLifetime, CreateOfAnExistingKeyOpensItAndKeepsItsValues)
{
  DWORD disposition = 0;
  TRegKey first;
  ASSERT_EQ(0, Create(first, "Book", &disposition));
  EXPECT_EQ(static_cast<DWORD>(REG_CREATED_NEW_KEY), disposition);
  ASSERT_EQ(0, first.SetValue("kept", "UserID"));
  TRegKey second;
  ASSERT_EQ(0, Create(second, "Book", &disposition));
  EXPECT_EQ(static_cast<DWORD>(REG_OPENED_EXISTING_KEY), disposition);
  EXPECT_EQ(std::string("kept\0", 5), ReadRaw("UserID", "Book"));
}

TEST_F(RegKeyLifetime, FailedOpenOrCreateLeavesTheHeldKeyAsItWas)
{
  TRegKey key;
  ASSERT_EQ(0, key.Open(HKEY_CURRENT_USER, Path().c_str(), KEY_READ | KEY_SET_VALUE));
  HKEY held = key.m_hKey;
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, key.Open(HKEY_CURRENT_USER, Path("Missing").c_str(), KEY_READ));
  DWORD disposition = 77;
  EXPECT_EQ(ERROR_BAD_PATHNAME, key.Create(HKEY_CURRENT_USER, "\\Leading", nullptr, 0,
                                           KEY_ALL_ACCESS, nullptr, &disposition));
  EXPECT_EQ(77u, disposition);
  EXPECT_EQ(held, key.m_hKey);
  EXPECT_EQ(0, key.SetValue(7u, "AfterFailure"));
  EXPECT_EQ(std::string("\7\0\0\0", 4), ReadRaw("AfterFailure"));
  EXPECT_EQ("<code 2>", ReadRaw("x", "Missing"));  // Open never creates
}

TEST_F(RegKeyLifetime, AReusedObjectClosesItsOldKeyAndWorksOnTheNewOne)
{
  TRegKey key;
  ASSERT_EQ(0, Create(key, "A"));
  HKEY first = key.m_hKey;
  ASSERT_EQ(0, Create(key, "B"));
  HKEY second = key.m_hKey;
  EXPECT_EQ(ERROR_INVALID_HANDLE, RegCloseKey(first));
  ASSERT_EQ(0, key.Open(HKEY_CURRENT_USER, Path("A").c_str(), KEY_ALL_ACCESS));
  EXPECT_EQ(ERROR_INVALID_HANDLE, RegCloseKey(second));
  ASSERT_EQ(0, key.SetValue("in A", "Where"));
  EXPECT_EQ(std::string("in A\0", 5), ReadRaw("Where", "A"));
  EXPECT_EQ("<code 2>", ReadRaw("Where", "B"));
}

TEST_F(RegKeyValues, TextsKeepTheirNulAndNumbersAreLittleEndianDwords)
{
  TRegKey key;
  ASSERT_EQ(0, Create(key, ""));
  ASSERT_EQ(0, key.SetValue("a rather long text", "Text"));
  ASSERT_EQ(0, key.SetValue("abc", "Text"));
  ASSERT_EQ(0, key.SetValue("", "Empty"));
  ASSERT_EQ(0, key.SetValue(0x12345678u, "Number"));
  DWORD type = 0;
  EXPECT_EQ(std::string("abc\0", 4), ReadRaw("Text", "", &type));
  EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
  EXPECT_EQ(std::string("\0", 1), ReadRaw("Empty", "", &type));
  EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
  EXPECT_EQ(std::string("\x78\x56\x34\x12", 4), ReadRaw("Number", "", &type));
  EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
}

TEST_F(RegKeyValues, NumberReadsTakeAtMostFourBytes)
{
  WriteRaw("Dword", REG_DWORD, std::string("\x01\x02\x03\x84", 4));
  WriteRaw("Binary4", REG_BINARY, std::string("\x05\x06\x07\x08", 4));
  WriteRaw("Binary5", REG_BINARY, std::string("\x01\x02\x03\x04\x05", 5));
  TRegKey key;
  ASSERT_EQ(0, key.Open(HKEY_CURRENT_USER, Path().c_str(), KEY_READ));
  DWORD number = 0;
  EXPECT_EQ(0, key.QueryValue(number, "Dword"));
  EXPECT_EQ(0x84030201u, number);
  EXPECT_EQ(0, key.QueryValue(number, "Binary4"));
  EXPECT_EQ(0x08070605u, number);
  EXPECT_EQ(ERROR_MORE_DATA, key.QueryValue(number, "Binary5"));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, key.QueryValue(number, "Absent"));
}

TEST_F(RegKeyValues, BufferReadsGiveTheBytesOrTheSizeNeeded)
{
  const std::string stamp("\xea\x07\x0c\x00\x02\x00\x08\x00\x10\x00\x28\x00\x1a\x00\x7b\x00", 16);
  WriteRaw("TimeStamp", REG_BINARY, stamp);
  TRegKey key;
  ASSERT_EQ(0, key.Open(HKEY_CURRENT_USER, Path().c_str(), KEY_READ));
  unsigned char buffer[512];
  DWORD count = sizeof buffer;
  EXPECT_EQ(0, key.QueryValue(buffer, "TimeStamp", &count));
  EXPECT_EQ(16u, count);
  EXPECT_EQ(stamp, std::string(reinterpret_cast<char*>(buffer), 16));
  count = 0;
  EXPECT_EQ(0, key.QueryValue(nullptr, "TimeStamp", &count));
  EXPECT_EQ(16u, count);
  count = 4;
  EXPECT_EQ(ERROR_MORE_DATA, key.QueryValue(buffer, "TimeStamp", &count));
  EXPECT_EQ(16u, count);
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, key.QueryValue(buffer, "Absent", &count));
}

TEST_F(RegKeyValues, TextReadsTakeAnyLengthAndLeaveNothingStale)
{
  std::string command = "\"C:\\Program Files\\Browser\\browse.exe\" -nohome \"%1\" ";
  while (command.size() < 20000) command += command;
  WriteRaw(nullptr, REG_SZ, command + '\0');
  WriteRaw("Nothing", REG_SZ, "");
  WriteRaw("NoNul", REG_BINARY, "htmlfile");
  WriteRaw("Short", REG_SZ, std::string("ab\0", 3));
  TRegKey key;
  ASSERT_EQ(0, key.Open(HKEY_CURRENT_USER, Path().c_str(), KEY_READ));
  TText text;
  EXPECT_EQ(0, key.QueryValue(text, nullptr));
  EXPECT_EQ(command, std::string(text.Text(), text.GetLength()));
  EXPECT_EQ(0, key.QueryValue(text, "NoNul"));
  EXPECT_EQ("htmlfile", std::string(text.Text(), text.GetLength()));
  EXPECT_EQ(0, key.QueryValue(text, "Short"));
  EXPECT_EQ("ab", std::string(text.Text(), text.GetLength()));
  ASSERT_TRUE(text.Assign("stale"));
  EXPECT_EQ(0, key.QueryValue(text, "Nothing"));
  EXPECT_TRUE(text.IsEmpty());
  ASSERT_TRUE(text.Assign("stale"));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, key.QueryValue(text, "Absent"));
  EXPECT_TRUE(text.IsEmpty());
}

TEST_F(RegKeyValues, ExpandedReadsWorkOutReferencesOnlyOfExpandSz)
{
  TScopedEnvironment variable("EPREGEXPANDPROBE", "C:\\Windows");
  const std::string command = "%EPREGEXPANDPROBE%\\browse.exe %1";
  WriteRaw("Expand", REG_EXPAND_SZ, command + '\0');
  WriteRaw("Plain", REG_SZ, command + '\0');
  TRegKey key;
  ASSERT_EQ(0, key.Open(HKEY_CURRENT_USER, Path().c_str(), KEY_READ));
  TText text;
  EXPECT_EQ(0, key.QueryExpandedValue(text, "Expand"));
  EXPECT_STREQ("C:\\Windows\\browse.exe %1", text.Text());
  EXPECT_EQ(0, key.QueryExpandedValue(text, "Plain"));
  EXPECT_EQ(command, text.Text());
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, key.QueryExpandedValue(text, "Absent"));
  EXPECT_TRUE(text.IsEmpty());
}

TEST_F(RegKeyAccess, TheHandlesRightsDecideWhatItMayDo)
{
  WriteRaw("ShortcutOnDesktop", REG_DWORD, std::string("\x02\0\0\0", 4));
  TRegKey readOnly;
  ASSERT_EQ(0, readOnly.Open(HKEY_CURRENT_USER, Path().c_str(), KEY_READ));
  EXPECT_EQ(ERROR_ACCESS_DENIED, readOnly.DeleteValue("ShortcutOnDesktop"));
  EXPECT_EQ(ERROR_ACCESS_DENIED, readOnly.SetValue(DWORD{0}, "ShortcutOnDesktop"));
  EXPECT_EQ(ERROR_ACCESS_DENIED, readOnly.SetValue("text", "New"));
  EXPECT_EQ(std::string("\x02\0\0\0", 4), ReadRaw("ShortcutOnDesktop"));
  EXPECT_EQ("<code 2>", ReadRaw("New"));

  TRegKey readAndSet;
  ASSERT_EQ(0, readAndSet.Open(HKEY_CURRENT_USER, Path().c_str(), KEY_READ | KEY_SET_VALUE));
  DWORD number = 0;
  EXPECT_EQ(0, readAndSet.QueryValue(number, "ShortcutOnDesktop"));
  EXPECT_EQ(2u, number);
  EXPECT_EQ(0, readAndSet.DeleteValue("ShortcutOnDesktop"));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, readAndSet.DeleteValue("ShortcutOnDesktop"));

  TRegKey setOnly;
  ASSERT_EQ(0, setOnly.Open(HKEY_CURRENT_USER, Path().c_str(), KEY_SET_VALUE));
  EXPECT_EQ(0, setOnly.SetValue("C:\\Books\\Atlas", "Install Directory"));
  EXPECT_EQ(std::string("C:\\Books\\Atlas\0", 15), ReadRaw("Install Directory"));
}

TEST_F(RegKeyNames, BackslashesMakeChainsOfKeys)
{
  TRegKey key;
  DWORD disposition = 0;
  ASSERT_EQ(0, Create(key, "Ostrel\\UserData\\Referrals\\\\", &disposition));
  EXPECT_EQ(static_cast<DWORD>(REG_CREATED_NEW_KEY), disposition);
  TRegKey book;
  ASSERT_EQ(0, book.Create(key.m_hKey, "shelf\\book", nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                           nullptr));
  ASSERT_EQ(0, book.SetValue("u", "UserID"));
  EXPECT_EQ(std::string("u\0", 2), ReadRaw("UserID", "Ostrel\\UserData\\Referrals\\shelf\\book"));
  TRegKey level;
  ASSERT_EQ(0, level.Open(HKEY_CURRENT_USER, Path("Ostrel").c_str(), KEY_READ));
  TRegKey next;
  EXPECT_EQ(0, next.Open(level.m_hKey, "UserData", KEY_READ));
  EXPECT_EQ(ERROR_BAD_PATHNAME, next.Open(level.m_hKey, "\\UserData", KEY_READ));
}

TEST_F(RegKeyNames, NamesMatchWithoutRegardToCase)
{
  TRegKey key;
  ASSERT_EQ(0, Create(key, "MixedCase"));
  ASSERT_EQ(0, key.SetValue(1u, "ShortcutOnDesktop"));
  TRegKey other;
  DWORD disposition = 0;
  ASSERT_EQ(0, Create(other, "MIXEDcase", &disposition));
  EXPECT_EQ(static_cast<DWORD>(REG_OPENED_EXISTING_KEY), disposition);
  // Another case replaces the value; it adds no second one.
  ASSERT_EQ(0, other.SetValue(DWORD{0}, "SHORTCUTONDESKTOP"));
  DWORD number = 9;
  EXPECT_EQ(0, key.QueryValue(number, "shortcutondesktop"));
  EXPECT_EQ(0u, number);
  EXPECT_EQ(0, other.DeleteValue("ShortcutOnDesktop"));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, key.QueryValue(number, "SHORTCUTONDESKTOP"));
}

TEST_F(RegKeyNames, KeyNamesOfUpTo256CharactersAndValueNamesWithBackslashes)
{
  // Relative to a parent: Wine's A functions take no name of more than 255
  // characters in all.
  TRegKey parent;
  ASSERT_EQ(0, Create(parent, ""));
  std::string longest(256, 'k');
  TRegKey key;
  ASSERT_EQ(
      0, key.Create(parent.m_hKey, longest.c_str(), nullptr, 0, KEY_ALL_ACCESS, nullptr, nullptr));
  EXPECT_EQ(0, key.SetValue("v", "value\\with\\backslashes"));
  TRegKey reopened;
  ASSERT_EQ(0, reopened.Open(parent.m_hKey, longest.c_str(), KEY_READ));
  TText text;
  EXPECT_EQ(0, reopened.QueryValue(text, "value\\with\\backslashes"));
  EXPECT_STREQ("v", text.Text());
  // Too long a name is refused (Windows and Wine answer different codes).
  TRegKey refused;
  EXPECT_NE(0, refused.Create(parent.m_hKey, std::string(300, 'k').c_str(), nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, nullptr));
  EXPECT_EQ(nullptr, refused.m_hKey);
}
