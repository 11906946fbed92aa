// Windows: change notices through SHChangeNotify.
#include "shellnotify.h"

#include "platform.h"

void NotifyShellItemCreated(const char* pPath)
{
  SHChangeNotify(SHCNE_CREATE, SHCNF_PATHA, pPath, 0);
}

void NotifyShellAssociationsChanged() { SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, 0, 0); }
