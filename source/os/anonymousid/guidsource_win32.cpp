// Windows: GUIDs from the RPC run-time, a sequential one where it gives one.
#include "guidsource.h"

#include <windows.h>
#include <rpc.h>
#include <string.h>

namespace {

// RPC_S_UUID_LOCAL_ONLY: no network card took part, yet the GUID is unique
// on this computer, which is all that is asked of it here.
bool Usable(RPC_STATUS nStatus) { return nStatus == RPC_S_OK || nStatus == RPC_S_UUID_LOCAL_ONLY; }

}  // namespace

int GetSystemGuid(unsigned char* pGuid)
{
  UUID guid;
  if (!Usable(UuidCreateSequential(&guid)) && !Usable(UuidCreate(&guid))) return 0;
  memcpy(pGuid, &guid, GUID_SIZE);
  return 1;
}
