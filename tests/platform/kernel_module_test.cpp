// Module handle, system time and COM start-up: what run control relies on,
// the same under Windows and natively.
#include <gtest/gtest.h>

#include <chrono>
#include <ctime>

#include "platform.h"

namespace {

TEST(KernelModuleConformance, ProgramModuleHandleIsNotNull)
{
  EXPECT_NE(nullptr, GetModuleHandleA(nullptr));
  EXPECT_EQ(GetModuleHandleA(nullptr), GetModuleHandleA(nullptr));
}

TEST(KernelModuleConformance, SystemTimeIsUtc)
{
  std::time_t before = std::time(nullptr);
  SYSTEMTIME now;
  GetSystemTime(&now);
  std::time_t after = std::time(nullptr);
  std::tm utc = {};
  utc.tm_year = now.wYear - 1900;
  utc.tm_mon = now.wMonth - 1;
  utc.tm_mday = now.wDay;
  utc.tm_hour = now.wHour;
  utc.tm_min = now.wMinute;
  utc.tm_sec = now.wSecond;
  // Seconds since the epoch from the UTC fields, whatever the local zone.
  long long days = 0;
  for (int year = 1970; year < utc.tm_year + 1900; ++year)
    days += (year % 4 == 0 && (year % 100 != 0 || year % 400 == 0)) ? 366 : 365;
  static const int aMonthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  int year = utc.tm_year + 1900;
  bool bLeap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
  for (int month = 0; month < utc.tm_mon; ++month) days += aMonthDays[month] + (month == 1 && bLeap);
  days += utc.tm_mday - 1;
  long long seconds = days * 86400 + utc.tm_hour * 3600 + utc.tm_min * 60 + utc.tm_sec;
  EXPECT_GE(seconds, static_cast<long long>(before) - 1);
  EXPECT_LE(seconds, static_cast<long long>(after) + 1);
  EXPECT_LT(now.wMilliseconds, 1000);
  EXPECT_LT(now.wDayOfWeek, 7);
  // 1970-01-01 was a Thursday.
  EXPECT_EQ((days + 4) % 7, now.wDayOfWeek);
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
