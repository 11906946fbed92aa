// The registry functions themselves, on the forms the program and its tests
// rely on beyond what TRegKey shows: Windows under Wine, the POSIX store natively.
#include <gtest/gtest.h>

#include "platform.h"
#include "testregistry.h"

class RegistryApi : public ::testing::Test
{
protected:
  void SetUp() override
  {
    ASSERT_EQ(0,
              RegOpenKeyExA(HKEY_CURRENT_USER, scratch.KeyPath().c_str(), 0, KEY_ALL_ACCESS, &key));
  }
  void TearDown() override { RegCloseKey(key); }

  TRegistryScratch scratch;
  HKEY key = nullptr;
};

TEST_F(RegistryApi, ClosedAndUnknownHandles)
{
  HKEY sub = nullptr;
  ASSERT_EQ(0, RegCreateKeyExA(key, "Sub", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sub, nullptr));
  EXPECT_EQ(0, RegCloseKey(sub));
  EXPECT_EQ(ERROR_INVALID_HANDLE, RegCloseKey(sub));
  DWORD size = 0;
  EXPECT_EQ(ERROR_INVALID_HANDLE, RegQueryValueExA(sub, "x", nullptr, nullptr, nullptr, &size));
  EXPECT_EQ(ERROR_INVALID_HANDLE,
            RegCloseKey(reinterpret_cast<HKEY>(static_cast<UINT_PTR>(0x12344))));
}
