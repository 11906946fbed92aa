// Windows only: the DLL search that the program hardens first thing. A DLL
// planted beside a program loads by bare name until the hardening, and no
// longer after it; the error mode gains the two flags and keeps the rest.
#include <gtest/gtest.h>

#include "process.h"

TEST(DllSearchWindows, APlantedDllLoadsBeforeTheHardeningOnly)
{
  TProcessResult result = StartAndWait(BuildProgram("dllsearchprobe"), {});
  ASSERT_TRUE(result.Started);
  EXPECT_EQ(0, result.ExitStatus) << result.Output;
  // SEM_NOGPFAULTERRORBOX (0x2) set by the probe, then SEM_FAILCRITICALERRORS
  // (0x1) and SEM_NOOPENFILEERRORBOX (0x8000) added.
  EXPECT_EQ("before=1 after=0 mode=0x8003", result.Output);
}
