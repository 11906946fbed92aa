#include "environmenttext.h"

#include "platform.h"

bool ExpandEnvironmentText(const char* pSource, TText& rOut)
{
  rOut.Clear();
  DWORD dwNeeded = ExpandEnvironmentStringsA(pSource, 0, 0);
  // The ANSI call wants one character more than it reports.
  if (dwNeeded == 0 || !rOut.Reserve(dwNeeded)) return false;
  DWORD dwDone = ExpandEnvironmentStringsA(pSource, rOut.Buffer(), dwNeeded + 1);
  if (dwDone == 0 || dwDone > dwNeeded + 1) {
    rOut.Clear();
    return false;
  }
  rOut.SyncLength();
  return true;
}
