// Shell links (.lnk files): one link to a target, with an optional icon.
#ifndef EXTRACTPANEL_SHELLLINK_H
#define EXTRACTPANEL_SHELLLINK_H

#include "platform.h"

// Saves a link to pTarget under the file name pFile, carrying the icon
// location pIcon with index 0 unless pIcon is empty. The result is the
// status of the save, or the failure status of making the link object.
HRESULT SaveShellLink(const char* pFile, const char* pTarget, const char* pIcon);

#endif
