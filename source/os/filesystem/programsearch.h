// The program file that the program part of an open command names, found
// without ever looking in the current folder or in the program's own.
#ifndef EXTRACTPANEL_PROGRAMSEARCH_H
#define EXTRACTPANEL_PROGRAMSEARCH_H

#include <stddef.h>

#include "fixedtext.h"

// rFile := the file that the first nLength bytes of pText name:
// - a full path (fullpath.h): that file, as written or with ".exe" added;
// - a bare name, without \, / or ':': where the shell looks for one, less
//   the folders a planted copy could sit in: App Paths of the user, then of
//   the machine (the key's default value: the file's full path), then the
//   system folder, the Windows folder and the full folders of PATH, as
//   written or with ".exe" added;
// - anything else, such as a relative path with a folder in it: nothing.
// False when no file is found.
bool FindProgramFile(const char* pText, size_t nLength, TPathText& rFile);

#endif
