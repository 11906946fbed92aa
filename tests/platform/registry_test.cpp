// The registry functions themselves, on the forms the program and its tests
// rely on: Windows' answers under Wine, the POSIX store's natively.
#include <gtest/gtest.h>

#include <string>

#include "platform.h"
#include "registryscratch.h"

class RegistryApi : public ::testing::Test
{
protected:
  void SetUp() override
  {
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, scratch.KeyPath().c_str(), 0,
                                           KEY_ALL_ACCESS, &key));
  }
  void TearDown() override
  {
    if (key) RegCloseKey(key);
  }

  LONG Set(HKEY target, const char* name, DWORD type, const std::string& bytes)
  {
    return RegSetValueExA(target, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                          static_cast<DWORD>(bytes.size()));
  }

  TRegistryScratch scratch;
  HKEY key = nullptr;
};

TEST_F(RegistryApi, QuerySizesFollowWindows)
{
  ASSERT_EQ(ERROR_SUCCESS, Set(key, "Data", REG_BINARY, std::string(16, '\x5a')));
  DWORD type = 0;
  DWORD size = 100;
  EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(key, "Data", nullptr, &type, nullptr, &size));
  EXPECT_EQ(16u, size);
  EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);

  unsigned char buffer[32];
  size = 4;
  EXPECT_EQ(ERROR_MORE_DATA, RegQueryValueExA(key, "Data", nullptr, nullptr, buffer, &size));
  EXPECT_EQ(16u, size);
  size = 0;
  EXPECT_EQ(ERROR_MORE_DATA, RegQueryValueExA(key, "Data", nullptr, nullptr, buffer, &size));
  EXPECT_EQ(16u, size);
  size = sizeof buffer;
  EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(key, "Data", nullptr, nullptr, buffer, &size));
  EXPECT_EQ(16u, size);
  EXPECT_EQ(std::string(16, '\x5a'), std::string(reinterpret_cast<char*>(buffer), 16));

  // A buffer without a size word is refused.
  EXPECT_EQ(ERROR_INVALID_PARAMETER, RegQueryValueExA(key, "Data", nullptr, nullptr, buffer, nullptr));
}

TEST_F(RegistryApi, MissingValueAnswersTwoAndZeroesTheSizeOnlyForANullBuffer)
{
  DWORD size = 55;
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegQueryValueExA(key, "Missing", nullptr, nullptr, nullptr, &size));
  EXPECT_EQ(0u, size);
  unsigned char buffer[8];
  size = sizeof buffer;
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegQueryValueExA(key, "Missing", nullptr, nullptr, buffer, &size));
  EXPECT_EQ(8u, size);
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegQueryValueExA(key, nullptr, nullptr, nullptr, nullptr, &size));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegDeleteValueA(key, "Missing"));
}

TEST_F(RegistryApi, ValuesKeepTheirTypeAndExactBytes)
{
  std::string all;
  for (int i = 0; i < 256; ++i) all += static_cast<char>(i);
  ASSERT_EQ(ERROR_SUCCESS, Set(key, "AllBytes", REG_BINARY, all));
  ASSERT_EQ(ERROR_SUCCESS, Set(key, "Multi", REG_MULTI_SZ, std::string("a\0bc\0\0", 6)));
  ASSERT_EQ(ERROR_SUCCESS, Set(key, "Expand", REG_EXPAND_SZ, std::string("%WINDIR%\\x\0", 11)));
  ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, "Empty", 0, REG_SZ, nullptr, 0));
  struct { const char* name; DWORD type; std::string bytes; } expected[] = {
    {"AllBytes", REG_BINARY, all},
    {"Multi", REG_MULTI_SZ, std::string("a\0bc\0\0", 6)},
    {"Expand", REG_EXPAND_SZ, std::string("%WINDIR%\\x\0", 11)},
    {"Empty", REG_SZ, std::string()},
  };
  for (const auto& value : expected) {
    std::string buffer(512, '\x77');
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(buffer.size());
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(key, value.name, nullptr, &type,
                                              reinterpret_cast<BYTE*>(&buffer[0]), &size))
      << value.name;
    EXPECT_EQ(value.type, type) << value.name;
    EXPECT_EQ(value.bytes, buffer.substr(0, size)) << value.name;
  }
}

TEST_F(RegistryApi, HandlesClosedTwiceOrNeverOpenedAreInvalid)
{
  HKEY sub = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(key, "Sub", 0, nullptr, 0, KEY_READ, nullptr, &sub, nullptr));
  EXPECT_EQ(ERROR_SUCCESS, RegCloseKey(sub));
  EXPECT_EQ(ERROR_INVALID_HANDLE, RegCloseKey(sub));
  DWORD size = 0;
  EXPECT_EQ(ERROR_INVALID_HANDLE, RegQueryValueExA(sub, "x", nullptr, nullptr, nullptr, &size));
  EXPECT_EQ(ERROR_INVALID_HANDLE, RegCloseKey(reinterpret_cast<HKEY>(static_cast<UINT_PTR>(0x12344))));
  EXPECT_EQ(ERROR_INVALID_HANDLE, RegCloseKey(nullptr));
  HKEY out = reinterpret_cast<HKEY>(static_cast<UINT_PTR>(0x4444));
  EXPECT_EQ(ERROR_INVALID_HANDLE, RegOpenKeyExA(nullptr, "Sub", 0, KEY_READ, &out));
  // Closing a root does nothing, and the root stays usable.
  EXPECT_EQ(ERROR_SUCCESS, RegCloseKey(HKEY_CURRENT_USER));
  EXPECT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, scratch.KeyPath().c_str(), 0, KEY_READ, &out));
  RegCloseKey(out);
}

TEST_F(RegistryApi, FailedOpenClearsTheHandleWord)
{
  HKEY out = reinterpret_cast<HKEY>(static_cast<UINT_PTR>(0x4444));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExA(key, "Absent", 0, KEY_READ, &out));
  EXPECT_EQ(nullptr, out);
}

TEST_F(RegistryApi, QueryNeedsTheQueryRight)
{
  ASSERT_EQ(ERROR_SUCCESS, Set(key, "Data", REG_DWORD, std::string(4, '\1')));
  HKEY writeOnly = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(key, "", 0, KEY_SET_VALUE, &writeOnly));
  DWORD size = 0;
  EXPECT_EQ(ERROR_ACCESS_DENIED, RegQueryValueExA(writeOnly, "Data", nullptr, nullptr, nullptr, &size));
  EXPECT_EQ(ERROR_SUCCESS, RegDeleteValueA(writeOnly, "Data"));
  RegCloseKey(writeOnly);
  // Creating a subkey ignores the rights of the parent's handle.
  HKEY readOnly = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(key, "", 0, KEY_READ, &readOnly));
  HKEY sub = nullptr;
  EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyExA(readOnly, "Made", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sub, nullptr));
  EXPECT_EQ(ERROR_SUCCESS, Set(sub, "InMade", REG_DWORD, std::string(4, '\2')));
  RegCloseKey(sub);
  RegCloseKey(readOnly);
}

TEST_F(RegistryApi, HandleOfADeletedKeyAnswersKeyDeleted)
{
  const LONG keyDeleted = 1018;
  HKEY doomed = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(key, "Doomed", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &doomed, nullptr));
  ASSERT_EQ(ERROR_SUCCESS, DeleteRegistryTree(key, "Doomed"));
  DWORD size = 0;
  EXPECT_EQ(keyDeleted, Set(doomed, "x", REG_DWORD, std::string(4, '\0')));
  EXPECT_EQ(keyDeleted, RegQueryValueExA(doomed, "x", nullptr, nullptr, nullptr, &size));
  HKEY sub = nullptr;
  EXPECT_EQ(keyDeleted, RegCreateKeyExA(doomed, "Sub", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sub, nullptr));
  EXPECT_EQ(ERROR_SUCCESS, RegCloseKey(doomed));
  HKEY out = nullptr;
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExA(key, "Doomed", 0, KEY_READ, &out));
}

TEST_F(RegistryApi, DeleteTreeRemovesAKeyWithItsSubkeysOrEmptiesOne)
{
  HKEY sub = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(key, "Top\\Middle\\Bottom", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sub, nullptr));
  ASSERT_EQ(ERROR_SUCCESS, Set(sub, "Deep", REG_DWORD, std::string(4, '\3')));
  RegCloseKey(sub);
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(key, "TopSibling", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sub, nullptr));
  RegCloseKey(sub);
  ASSERT_EQ(ERROR_SUCCESS, Set(key, "OnScratch", REG_DWORD, std::string(4, '\4')));

  EXPECT_EQ(ERROR_SUCCESS, DeleteRegistryTree(key, "TOP"));
  HKEY out = nullptr;
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExA(key, "Top\\Middle", 0, KEY_READ, &out));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExA(key, "Top", 0, KEY_READ, &out));
  // A key whose name merely begins the same stays.
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(key, "TopSibling", 0, KEY_READ, &out));
  RegCloseKey(out);
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, DeleteRegistryTree(key, "Top"));

  // Without a subkey name the key stays, emptied of subkeys and values.
  EXPECT_EQ(ERROR_SUCCESS, DeleteRegistryTree(key, nullptr));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExA(key, "TopSibling", 0, KEY_READ, &out));
  DWORD size = 0;
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegQueryValueExA(key, "OnScratch", nullptr, nullptr, nullptr, &size));
  EXPECT_EQ(ERROR_SUCCESS, Set(key, "Again", REG_DWORD, std::string(4, '\5')));
}

TEST_F(RegistryApi, RefusedArguments)
{
  std::string longName(16384, 'v');
  EXPECT_EQ(ERROR_INVALID_PARAMETER, Set(key, longName.c_str(), REG_DWORD, std::string(4, '\0')));
  EXPECT_EQ(ERROR_SUCCESS, Set(key, longName.substr(1).c_str(), REG_DWORD, std::string(4, '\0')));
  // Data promised by a size but not given.
  EXPECT_NE(ERROR_SUCCESS, RegSetValueExA(key, "NoData", 0, REG_BINARY, nullptr, 4));
  DWORD size = 0;
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegQueryValueExA(key, "NoData", nullptr, nullptr, nullptr, &size));
  DWORD reserved = 0;
  EXPECT_EQ(ERROR_INVALID_PARAMETER, RegQueryValueExA(key, "NoData", &reserved, nullptr, nullptr, &size));
}
