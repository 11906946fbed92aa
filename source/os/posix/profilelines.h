// POSIX only: the lines of a profile (INI) file as the reader and the writer
// both see them, so that a write edits exactly the line a read would find.
#ifndef EXTRACTPANEL_POSIX_PROFILELINES_H
#define EXTRACTPANEL_POSIX_PROFILELINES_H

#include <stddef.h>

enum TProfileLineKind
{
  PROFILE_LINE_OTHER,    // blank, comment, text without "=", broken header
  PROFILE_LINE_SECTION,  // [name]; text after the "]" is ignored
  PROFILE_LINE_KEY       // name=value, split at the first "="
};

struct TProfileLine
{
  size_t nStart;  // first byte of the line
  size_t nEnd;    // its line end, or the end of the text
  size_t nNext;   // first byte of the next line
  TProfileLineKind eKind;
  size_t nName;   // section or key name, blanks around it left out
  size_t nNameLength;
  size_t nValue;  // key only: the value, blanks around it left out
  size_t nValueLength;
  bool bBlank;    // nothing but blanks
};

// Line ends are CR LF, LF, CR, and NUL (so no name or value ever holds one).
// False when nStart is at the end of the text.
bool ReadProfileLine(const char* pText, size_t nLength, size_t nStart, TProfileLine* pLine);

// Leaves out the blanks (spaces and tabs) around a name.
void TrimProfileName(const char** ppName, size_t* pnLength);

#endif
