// POSIX only: the text of a profile file after one write, every byte that
// the write does not concern kept as it was.
#ifndef EXTRACTPANEL_POSIX_PROFILEEDIT_H
#define EXTRACTPANEL_POSIX_PROFILEEDIT_H

#include <stddef.h>

#include "text.h"

enum TProfileEditResult
{
  PROFILE_EDIT_UNCHANGED,  // the file already says so
  PROFILE_EDIT_CHANGED,    // rEdited holds the new text
  PROFILE_EDIT_NO_MEMORY
};

// pKey null removes the section block, pValue null removes the key line;
// otherwise the key line is replaced, or added at the end of its section,
// or a new section is added at the end of the file.
TProfileEditResult EditProfileText(const char* pText, size_t nLength, const char* pSection,
                                   const char* pKey, const char* pValue, TText& rEdited);

#endif
