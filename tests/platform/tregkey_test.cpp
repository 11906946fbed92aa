// TRegKey against the registry of the platform: Windows' own under Wine, the
// POSIX store natively. Both must give the same answers.
#include <gtest/gtest.h>

#include <string>

#include "platform.h"
#include "registryscratch.h"
#include "text.h"
#include "tregkey.h"

namespace {

struct TRawValue
{
  LONG Result = -1;
  DWORD Type = 0;
  std::string Bytes;
};

}  // namespace

class RegKeyFixture : public ::testing::Test
{
protected:
  std::string Path(const std::string& subkey = "") const
  {
    return subkey.empty() ? scratch.KeyPath() : scratch.KeyPath() + "\\" + subkey;
  }

  // A value as the registry holds it, read without TRegKey.
  TRawValue ReadRaw(const char* name, const std::string& subkey = "") const
  {
    TRawValue value;
    HKEY key = 0;
    value.Result = RegOpenKeyExA(HKEY_CURRENT_USER, Path(subkey).c_str(), 0, KEY_READ, &key);
    if (value.Result != ERROR_SUCCESS) return value;
    DWORD size = 0;
    value.Result = RegQueryValueExA(key, name, 0, &value.Type, 0, &size);
    if (value.Result == ERROR_SUCCESS) {
      value.Bytes.assign(size, '\0');
      value.Result = RegQueryValueExA(key, name, 0, &value.Type,
                                      reinterpret_cast<BYTE*>(&value.Bytes[0]), &size);
      value.Bytes.resize(size);
    }
    RegCloseKey(key);
    return value;
  }

  // Writes a value of any type without TRegKey.
  void WriteRaw(const char* name, DWORD type, const std::string& bytes)
  {
    HKEY key = 0;
    ASSERT_EQ(ERROR_SUCCESS,
              RegOpenKeyExA(HKEY_CURRENT_USER, Path().c_str(), 0, KEY_ALL_ACCESS, &key));
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(key, name, 0, type,
                                            reinterpret_cast<const BYTE*>(bytes.data()),
                                            static_cast<DWORD>(bytes.size())));
    RegCloseKey(key);
  }

  bool KeyExists(const std::string& subkey) const
  {
    HKEY key = 0;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, Path(subkey).c_str(), 0, KEY_READ, &key) != 0) {
      return false;
    }
    RegCloseKey(key);
    return true;
  }

  TRegistryScratch scratch;
};

class RegKeyLifetime : public RegKeyFixture {};
class RegKeyValues : public RegKeyFixture {};
class RegKeyText : public RegKeyFixture {};
class RegKeyAccess : public RegKeyFixture {};
class RegKeyNames : public RegKeyFixture {};

// ---- Holding, replacing and closing keys -----------------------------------

TEST_F(RegKeyLifetime, CloseWithNothingHeldIsHarmlessAndTwiceToo)
{
  TRegKey key;
  EXPECT_EQ(0, key.Close());
  EXPECT_EQ(0, key.Close());
  ASSERT_EQ(0, key.Open(HKEY_CURRENT_USER, Path().c_str(), KEY_READ));
  HKEY held = key.m_hKey;
  EXPECT_EQ(0, key.Close());
  EXPECT_EQ(nullptr, key.m_hKey);
  EXPECT_EQ(0, key.Close());
  // The handle really went: the registry no longer knows it.
  EXPECT_EQ(ERROR_INVALID_HANDLE, RegCloseKey(held));
}

TEST_F(RegKeyLifetime, CreateOfAnExistingKeyOpensItAndKeepsItsValues)
{
  DWORD disposition = 0;
  TRegKey first;
  ASSERT_EQ(0, first.Create(HKEY_CURRENT_USER, Path("Book").c_str(), nullptr,
                            REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr, &disposition));
  EXPECT_EQ(static_cast<DWORD>(REG_CREATED_NEW_KEY), disposition);
  ASSERT_EQ(0, first.SetValue("kept", "UserID"));
  ASSERT_EQ(0, first.Close());

  TRegKey second;
  ASSERT_EQ(0, second.Create(HKEY_CURRENT_USER, Path("Book").c_str(), nullptr,
                             REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr, &disposition));
  EXPECT_EQ(static_cast<DWORD>(REG_OPENED_EXISTING_KEY), disposition);
  TText text;
  EXPECT_EQ(0, second.QueryValue(text, "UserID"));
  EXPECT_STREQ("kept", text.Text());
  // Without a disposition word it works the same.
  TRegKey third;
  EXPECT_EQ(0, third.Create(HKEY_CURRENT_USER, Path("Book").c_str(), nullptr, 0, KEY_READ, nullptr,
                            nullptr));
}

TEST_F(RegKeyLifetime, FailedOpenReturnsTwoAndKeepsTheHeldKeyUsable)
{
  TRegKey key;
  ASSERT_EQ(0, key.Open(HKEY_CURRENT_USER, Path().c_str(), KEY_READ | KEY_SET_VALUE));
  HKEY held = key.m_hKey;
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, key.Open(HKEY_CURRENT_USER, Path("Missing").c_str(), KEY_READ));
  EXPECT_EQ(held, key.m_hKey);
  EXPECT_EQ(0, key.SetValue(7u, "AfterFailure"));
  DWORD number = 0;
  EXPECT_EQ(0, key.QueryValue(number, "AfterFailure"));
  EXPECT_EQ(7u, number);
  // Open never creates.
  EXPECT_FALSE(KeyExists("Missing"));
}

TEST_F(RegKeyLifetime, FailedCreateKeepsTheHeldKeyAndTheDispositionWord)
{
  TRegKey key;
  ASSERT_EQ(0, key.Open(HKEY_CURRENT_USER, Path().c_str(), KEY_ALL_ACCESS));
  HKEY held = key.m_hKey;
  DWORD disposition = 77;
  EXPECT_EQ(ERROR_BAD_PATHNAME, key.Create(HKEY_CURRENT_USER, "\\Leading", nullptr, 0,
                                           KEY_ALL_ACCESS, nullptr, &disposition));
  EXPECT_EQ(held, key.m_hKey);
  EXPECT_EQ(77u, disposition);
  EXPECT_EQ(0, key.SetValue("still", "Name"));
  EXPECT_EQ("still", std::string(ReadRaw("Name").Bytes.c_str()));
}

TEST_F(RegKeyLifetime, ReopeningClosesTheOldKeyOnlyAfterTheNewOneIsOpen)
{
  TRegKey key;
  ASSERT_EQ(0, key.Create(HKEY_CURRENT_USER, Path("A").c_str(), nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          nullptr));
  HKEY first = key.m_hKey;
  ASSERT_EQ(0, key.Create(HKEY_CURRENT_USER, Path("B").c_str(), nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          nullptr));
  HKEY second = key.m_hKey;
  EXPECT_EQ(ERROR_INVALID_HANDLE, RegCloseKey(first));
  ASSERT_EQ(0, key.Open(HKEY_CURRENT_USER, Path("A").c_str(), KEY_ALL_ACCESS));
  EXPECT_EQ(ERROR_INVALID_HANDLE, RegCloseKey(second));
  // The object now works on A.
  ASSERT_EQ(0, key.SetValue("in A", "Where"));
  EXPECT_EQ(ERROR_SUCCESS, ReadRaw("Where", "A").Result);
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, ReadRaw("Where", "B").Result);
}

TEST_F(RegKeyLifetime, DestructionClosesTheKey)
{
  HKEY held = nullptr;
  {
    TRegKey key;
    ASSERT_EQ(0, key.Open(HKEY_CURRENT_USER, Path().c_str(), KEY_READ));
    held = key.m_hKey;
  }
  EXPECT_EQ(ERROR_INVALID_HANDLE, RegCloseKey(held));
}

TEST_F(RegKeyLifetime, SubkeyIsReachedThroughTheParentsHandle)
{
  TRegKey parent;
  ASSERT_EQ(0, parent.Create(HKEY_CURRENT_USER, Path().c_str(), nullptr, 0, KEY_READ | KEY_WRITE,
                             nullptr, nullptr));
  TRegKey child;
  ASSERT_EQ(0, child.Create(parent.m_hKey, "Child", nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                            nullptr));
  ASSERT_EQ(0, child.SetValue(3u, "Level"));
  TRegKey reopened;
  ASSERT_EQ(0, reopened.Open(parent.m_hKey, "Child", KEY_READ));
  DWORD number = 0;
  EXPECT_EQ(0, reopened.QueryValue(number, "Level"));
  EXPECT_EQ(3u, number);
}

// ---- Values: texts, numbers, raw bytes --------------------------------------

TEST_F(RegKeyValues, TextIsStoredWithItsTerminatingNul)
{
  TRegKey key;
  ASSERT_EQ(0, key.Open(HKEY_CURRENT_USER, Path().c_str(), KEY_READ | KEY_WRITE));
  ASSERT_EQ(0, key.SetValue("abc", "Text"));
  ASSERT_EQ(0, key.SetValue("", "Empty"));
  TRawValue text = ReadRaw("Text");
  EXPECT_EQ(static_cast<DWORD>(REG_SZ), text.Type);
  EXPECT_EQ(std::string("abc\0", 4), text.Bytes);
  TRawValue empty = ReadRaw("Empty");
  EXPECT_EQ(ERROR_SUCCESS, empty.Result);
  EXPECT_EQ(static_cast<DWORD>(REG_SZ), empty.Type);
  EXPECT_EQ(std::string("\0", 1), empty.Bytes);
}

TEST_F(RegKeyValues, ASecondWriteReplacesTheValueWhole)
{
  TRegKey key;
  ASSERT_EQ(0, key.Open(HKEY_CURRENT_USER, Path().c_str(), KEY_READ | KEY_WRITE));
  ASSERT_EQ(0, key.SetValue("a rather long text", "Name"));
  ASSERT_EQ(0, key.SetValue("s", "Name"));
  EXPECT_EQ(std::string("s\0", 2), ReadRaw("Name").Bytes);
  ASSERT_EQ(0, key.SetValue(5u, "Name"));
  EXPECT_EQ(static_cast<DWORD>(REG_DWORD), ReadRaw("Name").Type);
}

TEST_F(RegKeyValues, NumberIsAFourByteLittleEndianDword)
{
  TRegKey key;
  ASSERT_EQ(0, key.Open(HKEY_CURRENT_USER, Path().c_str(), KEY_READ | KEY_WRITE));
  ASSERT_EQ(0, key.SetValue(0x12345678u, "Number"));
  TRawValue raw = ReadRaw("Number");
  EXPECT_EQ(static_cast<DWORD>(REG_DWORD), raw.Type);
  EXPECT_EQ(std::string("\x78\x56\x34\x12", 4), raw.Bytes);
  DWORD number = 0;
  EXPECT_EQ(0, key.QueryValue(number, "Number"));
  EXPECT_EQ(0x12345678u, number);
}

TEST_F(RegKeyValues, NumberReadsAFourByteBinaryValue)
{
  WriteRaw("Binary4", REG_BINARY, std::string("\x01\x02\x03\x84", 4));
  TRegKey key;
  ASSERT_EQ(0, key.Open(HKEY_CURRENT_USER, Path().c_str(), KEY_READ));
  DWORD number = 0;
  EXPECT_EQ(0, key.QueryValue(number, "Binary4"));
  EXPECT_EQ(0x84030201u, number);
}

TEST_F(RegKeyValues, NumberReadOfMoreThanFourBytesIs234)
{
  WriteRaw("Binary5", REG_BINARY, std::string("\x01\x02\x03\x04\x05", 5));
  WriteRaw("Text", REG_SZ, std::string("abcd\0", 5));
  TRegKey key;
  ASSERT_EQ(0, key.Open(HKEY_CURRENT_USER, Path().c_str(), KEY_READ));
  DWORD number = 0;
  EXPECT_EQ(ERROR_MORE_DATA, key.QueryValue(number, "Binary5"));
  EXPECT_EQ(ERROR_MORE_DATA, key.QueryValue(number, "Text"));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, key.QueryValue(number, "Absent"));
}

TEST_F(RegKeyValues, BufferReadGivesTheStoredBytesAndTheirCount)
{
  std::string stamp;
  for (int i = 0; i < 16; ++i) stamp += static_cast<char>(0xF0 + i);
  WriteRaw("TimeStamp", REG_BINARY, stamp);
  TRegKey key;
  ASSERT_EQ(0, key.Open(HKEY_CURRENT_USER, Path().c_str(), KEY_READ));
  unsigned char buffer[512];
  DWORD count = sizeof buffer;
  EXPECT_EQ(0, key.QueryValue(buffer, "TimeStamp", &count));
  EXPECT_EQ(16u, count);
  EXPECT_EQ(stamp, std::string(reinterpret_cast<char*>(buffer), 16));

  // A null buffer asks for the size only; a small one answers 234 and the size.
  count = 0;
  EXPECT_EQ(0, key.QueryValue(nullptr, "TimeStamp", &count));
  EXPECT_EQ(16u, count);
  count = 4;
  EXPECT_EQ(ERROR_MORE_DATA, key.QueryValue(buffer, "TimeStamp", &count));
  EXPECT_EQ(16u, count);
  count = sizeof buffer;
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, key.QueryValue(buffer, "Absent", &count));
}

TEST_F(RegKeyValues, DeleteValueRemovesThatValueOnly)
{
  TRegKey key;
  ASSERT_EQ(0, key.Open(HKEY_CURRENT_USER, Path().c_str(), KEY_READ | KEY_SET_VALUE));
  ASSERT_EQ(0, key.SetValue(1u, "ShortcutOnDesktop"));
  ASSERT_EQ(0, key.SetValue(DWORD{0}, "ShortcutInWindowsStartMenu"));
  EXPECT_EQ(0, key.DeleteValue("ShortcutOnDesktop"));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, ReadRaw("ShortcutOnDesktop").Result);
  EXPECT_EQ(ERROR_SUCCESS, ReadRaw("ShortcutInWindowsStartMenu").Result);
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, key.DeleteValue("ShortcutOnDesktop"));
}

TEST_F(RegKeyValues, NullNameIsTheDefaultValue)
{
  TRegKey key;
  ASSERT_EQ(0, key.Create(HKEY_CURRENT_USER, Path(".7xe").c_str(), nullptr, 0, KEY_READ | KEY_WRITE,
                          nullptr, nullptr));
  ASSERT_EQ(0, key.SetValue("7xefile", nullptr));
  char buffer[512];
  DWORD count = sizeof buffer;
  EXPECT_EQ(0, key.QueryValue(buffer, nullptr, &count));
  EXPECT_EQ(8u, count);
  EXPECT_STREQ("7xefile", buffer);
  // The empty name is the same value.
  EXPECT_EQ(std::string("7xefile\0", 8), ReadRaw("", ".7xe").Bytes);
}

// ---- Texts of any length -----------------------------------------------------

TEST_F(RegKeyText, AbsentValueGivesTwoAndAnEmptyText)
{
  TRegKey key;
  ASSERT_EQ(0, key.Open(HKEY_CURRENT_USER, Path().c_str(), KEY_READ));
  TText text;
  ASSERT_TRUE(text.Assign("stale content"));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, key.QueryValue(text, nullptr));
  EXPECT_TRUE(text.IsEmpty());
  EXPECT_STREQ("", text.Text());
}

TEST_F(RegKeyText, ZeroByteValueGivesZeroAndAnEmptyText)
{
  WriteRaw("Nothing", REG_SZ, std::string());
  TRegKey key;
  ASSERT_EQ(0, key.Open(HKEY_CURRENT_USER, Path().c_str(), KEY_READ));
  TText text;
  ASSERT_TRUE(text.Assign("stale content"));
  EXPECT_EQ(0, key.QueryValue(text, "Nothing"));
  EXPECT_TRUE(text.IsEmpty());
}

TEST_F(RegKeyText, LongTextIsReadWhole)
{
  std::string command = "\"C:\\Program Files\\Browser\\browse.exe\" -nohome \"%1\" ";
  while (command.size() < 20000) command += command;
  TRegKey key;
  ASSERT_EQ(0, key.Open(HKEY_CURRENT_USER, Path().c_str(), KEY_READ | KEY_WRITE));
  ASSERT_EQ(0, key.SetValue(command.c_str(), nullptr));
  TText text;
  ASSERT_TRUE(text.Assign("x"));
  EXPECT_EQ(0, key.QueryValue(text, nullptr));
  EXPECT_EQ(command.size(), text.GetLength());
  EXPECT_EQ(command, std::string(text.Text()));
}

TEST_F(RegKeyText, TextWithoutNulEndsWithTheStoredBytes)
{
  WriteRaw("NoNul", REG_BINARY, "htmlfile");
  WriteRaw("Short", REG_SZ, std::string("ab\0", 3));
  TRegKey key;
  ASSERT_EQ(0, key.Open(HKEY_CURRENT_USER, Path().c_str(), KEY_READ));
  TText text;
  ASSERT_TRUE(text.Assign("a much longer stale text"));
  EXPECT_EQ(0, key.QueryValue(text, "NoNul"));
  EXPECT_STREQ("htmlfile", text.Text());
  EXPECT_EQ(8u, text.GetLength());
  // Nothing of the longer earlier content shows through a shorter read.
  EXPECT_EQ(0, key.QueryValue(text, "Short"));
  EXPECT_STREQ("ab", text.Text());
  EXPECT_EQ(2u, text.GetLength());
}

// ---- Access rights ------------------------------------------------------------

TEST_F(RegKeyAccess, WritesThroughAReadOnlyKeyAreRefusedAndChangeNothing)
{
  WriteRaw("ShortcutOnDesktop", REG_DWORD, std::string("\x01\0\0\0", 4));
  TRegKey key;
  ASSERT_EQ(0, key.Open(HKEY_CURRENT_USER, Path().c_str(), KEY_READ));
  EXPECT_EQ(ERROR_ACCESS_DENIED, key.DeleteValue("ShortcutOnDesktop"));
  EXPECT_EQ(ERROR_ACCESS_DENIED, key.SetValue(DWORD{0}, "ShortcutOnDesktop"));
  EXPECT_EQ(ERROR_ACCESS_DENIED, key.SetValue("text", "New"));
  EXPECT_EQ(std::string("\x01\0\0\0", 4), ReadRaw("ShortcutOnDesktop").Bytes);
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, ReadRaw("New").Result);
}

TEST_F(RegKeyAccess, ReadTogetherWithSetValueReadsAndDeletes)
{
  WriteRaw("ShortcutInWindowsStartMenu", REG_DWORD, std::string("\x02\0\0\0", 4));
  TRegKey key;
  ASSERT_EQ(0, key.Open(HKEY_CURRENT_USER, Path().c_str(), KEY_READ | KEY_SET_VALUE));
  DWORD number = 0;
  EXPECT_EQ(0, key.QueryValue(number, "ShortcutInWindowsStartMenu"));
  EXPECT_EQ(2u, number);
  EXPECT_EQ(0, key.DeleteValue("ShortcutInWindowsStartMenu"));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, key.QueryValue(number, "ShortcutInWindowsStartMenu"));
}

TEST_F(RegKeyAccess, SetValueOnlyKeyWritesButCannotRead)
{
  TRegKey key;
  ASSERT_EQ(0, key.Open(HKEY_CURRENT_USER, Path().c_str(), KEY_SET_VALUE));
  EXPECT_EQ(0, key.SetValue("C:\\Books\\Atlas", "Install Directory"));
  DWORD count = 0;
  EXPECT_EQ(ERROR_ACCESS_DENIED, key.QueryValue(nullptr, "Install Directory", &count));
  EXPECT_EQ(std::string("C:\\Books\\Atlas\0", 15), ReadRaw("Install Directory").Bytes);
}

// ---- Key and value names --------------------------------------------------------

TEST_F(RegKeyNames, BackslashesMakeAChainOfKeys)
{
  TRegKey key;
  DWORD disposition = 0;
  ASSERT_EQ(0, key.Create(HKEY_CURRENT_USER, Path("Ostrel\\UserData\\Referrals").c_str(), nullptr,
                          0, KEY_READ | KEY_WRITE, nullptr, &disposition));
  EXPECT_EQ(static_cast<DWORD>(REG_CREATED_NEW_KEY), disposition);
  TRegKey book;
  ASSERT_EQ(0, book.Create(key.m_hKey, "shelf\\book", nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                           nullptr));
  ASSERT_EQ(0, book.SetValue("u", "UserID"));
  EXPECT_TRUE(KeyExists("Ostrel"));
  EXPECT_TRUE(KeyExists("Ostrel\\UserData"));
  EXPECT_TRUE(KeyExists("Ostrel\\UserData\\Referrals\\shelf"));
  EXPECT_EQ(ERROR_SUCCESS, ReadRaw("UserID", "Ostrel\\UserData\\Referrals\\shelf\\book").Result);
  // Each level opens on its own, through its parent.
  TRegKey level;
  ASSERT_EQ(0, level.Open(HKEY_CURRENT_USER, Path("Ostrel").c_str(), KEY_READ));
  TRegKey next;
  EXPECT_EQ(0, next.Open(level.m_hKey, "UserData", KEY_READ));
}

TEST_F(RegKeyNames, TrailingBackslashesAreIgnoredAndALeadingOneIsRefused)
{
  TRegKey key;
  ASSERT_EQ(0, key.Create(HKEY_CURRENT_USER, Path("Trailing\\\\").c_str(), nullptr, 0,
                          KEY_ALL_ACCESS, nullptr, nullptr));
  EXPECT_TRUE(KeyExists("Trailing"));
  HKEY raw = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, (Path("Trailing") + "\\").c_str(), 0,
                                         KEY_READ, &raw));
  RegCloseKey(raw);
  TRegKey parent;
  ASSERT_EQ(0, parent.Open(HKEY_CURRENT_USER, Path().c_str(), KEY_ALL_ACCESS));
  TRegKey child;
  EXPECT_EQ(ERROR_BAD_PATHNAME, child.Create(parent.m_hKey, "\\Leading", nullptr, 0,
                                             KEY_ALL_ACCESS, nullptr, nullptr));
  EXPECT_EQ(ERROR_BAD_PATHNAME, child.Open(parent.m_hKey, "\\Trailing", KEY_READ));
  EXPECT_EQ(nullptr, child.m_hKey);
  EXPECT_FALSE(KeyExists("Leading"));
}

TEST_F(RegKeyNames, NamesMatchWithoutRegardToCase)
{
  TRegKey key;
  ASSERT_EQ(0, key.Create(HKEY_CURRENT_USER, Path("MixedCase").c_str(), nullptr, 0,
                          KEY_ALL_ACCESS, nullptr, nullptr));
  ASSERT_EQ(0, key.SetValue(1u, "ShortcutOnDesktop"));
  TRegKey other;
  DWORD disposition = 0;
  ASSERT_EQ(0, other.Create(HKEY_CURRENT_USER, Path("MIXEDcase").c_str(), nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, &disposition));
  EXPECT_EQ(static_cast<DWORD>(REG_OPENED_EXISTING_KEY), disposition);
  // Setting through another case replaces; it does not add a second value.
  ASSERT_EQ(0, other.SetValue(DWORD{0}, "SHORTCUTONDESKTOP"));
  DWORD number = 9;
  EXPECT_EQ(0, key.QueryValue(number, "shortcutondesktop"));
  EXPECT_EQ(0u, number);
  EXPECT_EQ(0, other.DeleteValue("ShortcutOnDesktop"));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, key.QueryValue(number, "SHORTCUTONDESKTOP"));
}

TEST_F(RegKeyNames, KeyNamesUpTo256CharactersAndValueNamesWithBackslashes)
{
  // Relative to a parent: Wine's A functions take no name text of more than
  // 255 characters at all, whatever its parts.
  TRegKey parent;
  ASSERT_EQ(0, parent.Open(HKEY_CURRENT_USER, Path().c_str(), KEY_ALL_ACCESS));
  std::string longest(256, 'k');
  TRegKey key;
  ASSERT_EQ(0, key.Create(parent.m_hKey, longest.c_str(), nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          nullptr));
  EXPECT_EQ(0, key.SetValue("v", "value\\with\\backslashes"));
  TRegKey reopened;
  ASSERT_EQ(0, reopened.Open(parent.m_hKey, longest.c_str(), KEY_READ));
  TText text;
  EXPECT_EQ(0, reopened.QueryValue(text, "value\\with\\backslashes"));
  EXPECT_STREQ("v", text.Text());
  // Too long a name is refused (the codes differ between Windows and Wine).
  std::string tooLong(300, 'k');
  TRegKey refused;
  EXPECT_NE(0, refused.Create(parent.m_hKey, tooLong.c_str(), nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              nullptr));
  EXPECT_EQ(nullptr, refused.m_hKey);
}
