// POSIX only: profile (INI) files: their lines as a read and a write both
// see them, so that a write edits exactly the line a read would find; the
// file parsed for reads; the text after one write; and the file replaced.
#ifndef EXTRACTPANEL_PROFILEFILE_H
#define EXTRACTPANEL_PROFILEFILE_H

#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

#include "platform_types.h"

enum TProfileLineKind
{
  PROFILE_LINE_OTHER,    // blank, comment, text without "=", broken header
  PROFILE_LINE_SECTION,  // [name]; text after the "]" is ignored
  PROFILE_LINE_KEY       // name=value, split at the first "="
};

// Line ends are CR LF, LF, CR and NUL (so no name or value holds one).
// Names and values are without the blanks (spaces, tabs) around them.
struct TProfileLine
{
  size_t Start;  // first byte of the line
  size_t End;    // its line end, or the end of the text
  size_t Next;   // first byte of the next line
  TProfileLineKind Kind;
  std::string Name;
  std::string Value;  // keys only, quotes kept
  bool Blank;         // nothing but blanks
};

std::vector<TProfileLine> ProfileLines(const std::string& rText);
std::string TrimmedName(const std::string& rName);

// One section block: its keys in file order; a value without the quotes
// around it. The first of several equal names wins.
struct TProfileSection
{
  std::string Name;
  std::string KeyList;  // each name with its NUL
  std::vector<std::string> Values;
  std::map<std::string, size_t> Keys;  // folded name -> first value
};

// Keys before the first section belong to none and are not kept.
struct TProfile
{
  std::string SectionList;  // every block's name with its NUL
  std::vector<TProfileSection> Sections;
  std::map<std::string, size_t> Index;  // folded name -> first block
};

TProfile ParseProfile(const std::string& rText);

// False when the file already says so. pKey null removes the section
// block, pValue null the key line; otherwise the key line is replaced, or
// added at the end of its section, or a new section is added at the end.
bool EditProfileText(std::string& rText, const char* pSection, const char* pKey,
                     const char* pValue);

// 0, or the Windows error: 3 for no such file or folder, 5 for others.
DWORD ReadProfileText(const char* pPath, std::string& rText);
// 0, or the Windows error: 5 for a folder, a read-only or unreadable file.
// A missing file gives 0 and rExists false.
DWORD ReadProfileForWrite(const char* pPath, std::string& rText, bool& rExists, mode_t& rMode);
// Writes a temporary file beside pPath and renames it over pPath, so no
// reader ever sees half a file. 0, or 3 (no such folder) or 5.
DWORD ReplaceProfile(const char* pPath, const std::string& rText, mode_t nMode);

#endif
