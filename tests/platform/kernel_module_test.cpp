// Module handle, system time and COM start-up: what run control relies on,
// the same under Windows and natively.
#include <gtest/gtest.h>

#include <ctime>

#include "platform.h"

namespace {

TEST(KernelModuleConformance, ProgramModuleHandleIsNotNull)
{
  EXPECT_NE(nullptr, GetModuleHandleA(nullptr));
  EXPECT_EQ(GetModuleHandleA(nullptr), GetModuleHandleA(nullptr));
}

bool SameMinute(const SYSTEMTIME& rTime, std::time_t seconds)
{
  std::tm utc = *std::gmtime(&seconds);
  return rTime.wYear == utc.tm_year + 1900 && rTime.wMonth == utc.tm_mon + 1 &&
         rTime.wDay == utc.tm_mday && rTime.wDayOfWeek == utc.tm_wday &&
         rTime.wHour == utc.tm_hour && rTime.wMinute == utc.tm_min;
}

TEST(KernelModuleConformance, SystemTimeIsUtc)
{
  std::time_t before = std::time(nullptr);
  SYSTEMTIME now;
  GetSystemTime(&now);
  std::time_t after = std::time(nullptr);
  EXPECT_TRUE(SameMinute(now, before) || SameMinute(now, after));
  EXPECT_LT(now.wSecond, 61);
  EXPECT_LT(now.wMilliseconds, 1000);
}

TEST(KernelModuleConformance, ComStartsOnceAndCountsNestedStarts)
{
  HRESULT first = CoInitialize(nullptr);
  ASSERT_EQ(S_OK, first);
  EXPECT_EQ(S_FALSE, CoInitialize(nullptr));
  CoUninitialize();
  CoUninitialize();
  // Balanced: the next start is a first start again.
  EXPECT_EQ(S_OK, CoInitialize(nullptr));
  CoUninitialize();
}

}  // namespace
