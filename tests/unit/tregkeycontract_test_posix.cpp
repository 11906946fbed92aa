// TRegKey's contract reports (debug builds; standard error on POSIX): the
// exact text for each broken contract, and the registry's answer unchanged.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform.h"
#include "testregistry.h"
#include "text.h"
#include "tregkey.h"

namespace {

std::string Report(const std::string& expression,
                   const char* source = "source/os/filesystem/tregkey")
{
  return "contract broken: " + expression + " in " + source + "\n";
}

}  // namespace

class RegKeyContract : public ::testing::Test
{
protected:
  void SetUp() override
  {
    ASSERT_EQ(0, key.Open(HKEY_CURRENT_USER, scratch.KeyPath().c_str(), KEY_ALL_ACCESS));
  }

  // Runs the call with standard error captured; its result in *result.
  template <typename Call>
  std::string Reports(Call call, LONG* result)
  {
    testing::internal::CaptureStderr();
    *result = call();
    return testing::internal::GetCapturedStderr();
  }

  TRegistryScratch scratch;
  TRegKey key;
};

TEST_F(RegKeyContract, EachBrokenContractIsReportedAndTheResultStands)
{
  const std::string number =
      "(lRes!=0L) || (dwType == ( 4 )) || (dwType == ( 3 ) && dwCount == sizeof( DWORD))";
  const std::string count = "(lRes!=0L) || (dwCount == sizeof(DWORD))";
  ASSERT_EQ(0, key.SetValue("abc", "Text"));
  ASSERT_EQ(0, RegSetValueExA(key.m_hKey, "Two", 0, REG_BINARY,
                              reinterpret_cast<const BYTE*>("\x05\x06"), 2));
  TRegKey other;
  DWORD value = 0;
  DWORD two = 0xAABBCCDDu;
  std::string trailing = scratch.KeyPath() + "\\";
  struct
  {
    std::function<LONG()> call;
    LONG result;
    std::string reports;
  } cases[] = {
      {[&] { return other.Open(nullptr, "x", KEY_READ); }, ERROR_INVALID_HANDLE,
       Report("hKeyParent != 0")},
      {[&] { return other.Create(nullptr, "x", nullptr, 0, KEY_READ, nullptr, nullptr); },
       ERROR_INVALID_HANDLE, Report("hKeyParent != 0", "source/os/filesystem/tregkeyholder")},
      {[&] { return other.Open(HKEY_CURRENT_USER, trailing.c_str(), KEY_READ); }, 0,
       Report("lName[lName.GetLength() - 1] != '\\\\'")},
      {[&] { return other.Open(HKEY_CURRENT_USER, "", KEY_READ); }, 0, ""},
      {[&] { return key.QueryValue(nullptr, "Absent", nullptr); }, ERROR_FILE_NOT_FOUND,
       Report("pdwCount != 0")},
      {[&] { return key.QueryValue(value, "Text"); }, 0, Report(number)},
      {[&] { return key.QueryValue(two, "Two"); }, 0, Report(number) + Report(count)},
      {[&] { return key.QueryValue(value, "Absent"); }, ERROR_FILE_NOT_FOUND, ""},
      // A missing text gets the registry's answer to a bad argument, not a crash.
      {[&] { return key.SetValue(static_cast<const char*>(nullptr), "Name"); },
       ERROR_INVALID_PARAMETER, Report("lpszValue != 0")},
      {[&] { return TRegKey().SetValue("t", "Name"); }, ERROR_INVALID_HANDLE,
       Report("m_hKey != 0")},
      {[&] { return TRegKey().SetValue(1u, "Name"); }, ERROR_INVALID_HANDLE, Report("m_hKey != 0")},
      {[&] { return TRegKey().DeleteValue("Name"); }, ERROR_INVALID_HANDLE, Report("m_hKey != 0")},
  };
  for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
    LONG result = -1;
    EXPECT_EQ(cases[i].reports, Reports(cases[i].call, &result)) << "case " << i;
    EXPECT_EQ(cases[i].result, result) << "case " << i;
  }
  EXPECT_EQ(0x00636261u, value);
  EXPECT_EQ(0xAABB0605u, two);  // only the two bytes stored landed
}

TEST_F(RegKeyContract, AnOldKeyThatWillNotCloseIsReportedAndItsCodeReturned)
{
  RegCloseKey(key.m_hKey);  // behind the object's back
  LONG result = -1;
  EXPECT_EQ(
      Report("lRes == 0L"),
      Reports(
          [&] { return key.Open(HKEY_CURRENT_USER, scratch.KeyPath().c_str(), KEY_ALL_ACCESS); },
          &result));
  EXPECT_EQ(ERROR_INVALID_HANDLE, result);
  EXPECT_EQ(0, key.SetValue(1u, "NewKeyIsHeld"));
}
