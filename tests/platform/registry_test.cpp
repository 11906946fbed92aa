// The registry functions themselves, on the forms the program and its tests
// rely on beyond what TRegKey shows: Windows under Wine, the POSIX store natively.
#include <gtest/gtest.h>

#include <string>

#include "platform.h"
#include "testregistry.h"

class RegistryApi : public ::testing::Test
{
protected:
  void SetUp() override
  {
    ASSERT_EQ(0, RegOpenKeyExA(HKEY_CURRENT_USER, scratch.KeyPath().c_str(), 0, KEY_ALL_ACCESS, &key));
  }
  void TearDown() override { RegCloseKey(key); }

  LONG Set(HKEY target, const char* name, const std::string& bytes)
  {
    return RegSetValueExA(target, name, 0, REG_BINARY, reinterpret_cast<const BYTE*>(bytes.data()),
                          static_cast<DWORD>(bytes.size()));
  }
  LONG SizeOf(HKEY target, const char* name, DWORD& size)
  {
    return RegQueryValueExA(target, name, nullptr, nullptr, nullptr, &size);
  }
  HKEY Make(HKEY parent, const char* name)
  {
    HKEY made = nullptr;
    EXPECT_EQ(0, RegCreateKeyExA(parent, name, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &made, nullptr));
    return made;
  }

  TRegistryScratch scratch;
  HKEY key = nullptr;
};

TEST_F(RegistryApi, MissingValuesAndMissingArguments)
{
  // A missing value zeroes the size only when no buffer was given.
  DWORD size = 100;
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, SizeOf(key, "Missing", size));
  EXPECT_EQ(0u, size);
  unsigned char buffer[32];
  size = sizeof buffer;
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegQueryValueExA(key, "Missing", nullptr, nullptr, buffer, &size));
  EXPECT_EQ(32u, size);
  ASSERT_EQ(0, Set(key, "Data", std::string(16, '\x5a')));
  EXPECT_EQ(ERROR_INVALID_PARAMETER, RegQueryValueExA(key, "Data", nullptr, nullptr, buffer, nullptr));
  // Data promised by a size but not given is refused.
  EXPECT_NE(0, RegSetValueExA(key, "NoData", 0, REG_BINARY, nullptr, 4));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, SizeOf(key, "NoData", size));
}

TEST_F(RegistryApi, ClosedUnknownAndDeletedHandles)
{
  HKEY sub = Make(key, "Sub");
  EXPECT_EQ(0, RegCloseKey(sub));
  EXPECT_EQ(ERROR_INVALID_HANDLE, RegCloseKey(sub));
  DWORD size = 0;
  EXPECT_EQ(ERROR_INVALID_HANDLE, SizeOf(sub, "x", size));
  EXPECT_EQ(ERROR_INVALID_HANDLE, RegCloseKey(reinterpret_cast<HKEY>(static_cast<UINT_PTR>(0x12344))));
  EXPECT_EQ(0, RegCloseKey(HKEY_CURRENT_USER));  // a root stays open
  HKEY out = reinterpret_cast<HKEY>(static_cast<UINT_PTR>(0x4444));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExA(HKEY_CURRENT_USER, "Absent\\Key", 0, KEY_READ, &out));
  EXPECT_EQ(nullptr, out);

  const LONG keyDeleted = 1018;
  HKEY doomed = Make(key, "Doomed");
  ASSERT_EQ(0, DeleteRegistryTree(HKEY_CURRENT_USER, (scratch.KeyPath() + "\\Doomed").c_str()));
  EXPECT_EQ(keyDeleted, Set(doomed, "x", "1"));
  EXPECT_EQ(keyDeleted, SizeOf(doomed, "x", size));
  EXPECT_EQ(keyDeleted, RegCreateKeyExA(doomed, "Sub", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sub, nullptr));
  EXPECT_EQ(0, RegCloseKey(doomed));
}

