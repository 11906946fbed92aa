// POSIX stand-ins: the program's module handle, the system time in UTC and
// the COM start-up of the one thread.
#include "platform.h"

#include <time.h>

#include "faults.h"

namespace {

// Any non-null handle serves: the resources are compiled into the program.
char g_ModuleAnchor;
int g_nComInitialisations = 0;

}  // namespace

HMODULE GetModuleHandleA(LPCSTR lpModuleName)
{
  if (lpModuleName != 0) return 0;
  return reinterpret_cast<HMODULE>(&g_ModuleAnchor);
}

void GetSystemTime(LPSYSTEMTIME lpSystemTime)
{
  struct timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  struct tm utc;
  gmtime_r(&now.tv_sec, &utc);
  lpSystemTime->wYear = static_cast<WORD>(utc.tm_year + 1900);
  lpSystemTime->wMonth = static_cast<WORD>(utc.tm_mon + 1);
  lpSystemTime->wDayOfWeek = static_cast<WORD>(utc.tm_wday);
  lpSystemTime->wDay = static_cast<WORD>(utc.tm_mday);
  lpSystemTime->wHour = static_cast<WORD>(utc.tm_hour);
  lpSystemTime->wMinute = static_cast<WORD>(utc.tm_min);
  lpSystemTime->wSecond = static_cast<WORD>(utc.tm_sec);
  lpSystemTime->wMilliseconds = static_cast<WORD>(now.tv_nsec / 1000000);
}

// As on Windows: S_OK the first time, S_FALSE when already initialised.
// A refused start leaves the count as it was.
HRESULT CoInitialize(LPVOID)
{
  if (FaultHit(FAULT_COM_START)) return E_OUTOFMEMORY;
  return g_nComInitialisations++ == 0 ? S_OK : S_FALSE;
}

void CoUninitialize(void)
{
  if (g_nComInitialisations > 0) --g_nComInitialisations;
}
