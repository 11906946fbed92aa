// The current user's shell folders that shortcuts are placed in.
#ifndef EXTRACTPANEL_SPECIALFOLDER_H
#define EXTRACTPANEL_SPECIALFOLDER_H

#include "platform.h"

// The values are the shell's CSIDL numbers.
enum TSpecialFolder {
  SPECIAL_FOLDER_PROGRAMS = 0x0002,  // the Start menu's Programs folder
  SPECIAL_FOLDER_DESKTOP = 0x0010  // the desktop's file-system folder
};

// pPath receives the folder (MAX_PATH characters). The result is the
// shell's status of the lookup; the folder is unavailable when that status
// is negative or pPath is left empty.
HRESULT GetSpecialFolderPath(TSpecialFolder eFolder, char* pPath);

#endif
