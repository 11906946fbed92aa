// Mode 2: the shell shortcuts to the book's start file, in the book's own
// folder, on the desktop and in the book group of the Start menu.
#ifndef EXTRACTPANEL_SHORTCUTS_H
#define EXTRACTPANEL_SHORTCUTS_H

#include "fixedtext.h"
#include "platform.h"

enum ShortcutKind {
  SHORTCUT_OPEN = 1,  // in the install directory
  SHORTCUT_DESKTOP = 2,  // on the user's desktop
  SHORTCUT_STARTMENU = 3  // in the book group of the Start menu's Programs
};

// 0 and the folder in *pOut; otherwise *pOut is empty and the result is
// E_FAIL (no pOut, unknown kind, a folder that does not fit), S_FALSE (no
// install directory) or the shell's status.
HRESULT GetShortcutFolder(int nKind, TPathText* pOut);
// 0 and the kind's default name (its string resource, else the literal);
// E_FAIL for no pOut or an unknown kind.
HRESULT GetDefaultShortcutName(int nKind, char* pOut, int nCapacity);
// 1 when nothing was attempted (no target, no folder, a folder that cannot
// be made, no file name that fits); else the status of saving the link.
HRESULT MakeShortcut(int nKind, const char* pTarget, const char* pName, const char* pIcon);
// The first of base.lnk, base (0).lnk, base (1).lnk ... under which nothing
// exists yet, made there as an empty file so that nothing else can take the
// name before the link is saved into it; false when the next candidate no
// longer fits rFile, or a free name cannot be made.
bool ReserveShortcutFile(const char* pBase, TPathText& rFile);
// Takes the reader's two choices from the book key and removes them there.
// 0 without a book identifier, else 1.
int ReadShortcutChoices();
// The desktop and Start-menu shortcuts as chosen. Always 1.
int MakeChosenShortcuts();

#endif
