// Mode 2: opening the book in the program that opens .htm pages, or through
// the shell when no such program is registered.
#ifndef EXTRACTPANEL_OPENBOOK_H
#define EXTRACTPANEL_OPENBOOK_H

#include "text.h"

// 1 when a launch succeeded, 0 otherwise (an empty path included).
int OpenBook(const char* pBookPath);

// The book path as the browser gets it: every pair of backslashes, counted
// from the left without overlap, doubled. False when out of memory.
bool MakeLaunchPath(const char* pBookPath, TText& rLaunchPath);
// The template with every insert other than a plain %1 escaped, and a lone
// % at its end, so that they come out as they stand and the formatter reads
// nothing beyond the one insert. False when out of memory.
bool EscapeOtherInserts(const char* pTemplate, TText& rSafe);
// The shell's own inserts in the formatter's terms: %L and %V name the
// document as %1 does, and %* the further arguments, of which there are
// none. False when out of memory.
bool ReplaceShellInserts(const char* pTemplate, TText& rOut);
// The browser's arguments from the open command's argument template and
// the launch path: quotes are added around the path at every %1 unless the
// template holds "%1" or "--single-argument %1". rArgs is empty when
// formatting failed.
bool BuildBrowserArguments(const char* pTemplate, const char* pLaunchPath, TText& rArgs);

#endif
