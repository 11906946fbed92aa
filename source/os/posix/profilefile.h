// POSIX only: profile (INI) files: the file parsed for reads, and a write
// that changes only the line it concerns and replaces the file whole.
#ifndef EXTRACTPANEL_PROFILEFILE_H
#define EXTRACTPANEL_PROFILEFILE_H

#include <map>
#include <string>

#include "platform_types.h"

// A section or key name as it is looked up: without the blanks (spaces,
// tabs) around it, folded.
std::string ProfileName(const char* pName);

// One section: its keys in file order; a value without the blanks and the
// quotes around it. The first of several equal names wins, for keys and for
// whole sections alike.
struct TProfileSection
{
  std::string KeyList;  // each name with its NUL
  std::map<std::string, std::string> Values;  // folded name -> value
};

// Keys before the first section belong to none and are not kept.
struct TProfile
{
  std::string SectionList;  // every section line's name with its NUL
  std::map<std::string, TProfileSection> Sections;  // folded name -> first one
};

TProfile ParseProfile(const std::string& rText);

// Sets the key's value in the file at pPath, made when missing: replaces the
// key line, or adds one at the end of its section, or adds a new section at
// the end of the file. A file that already holds the value is left alone.
// 0, or the Windows error: 3 for no such folder, 5 for a folder, a read-only
// or unreadable file, or a failed replace.
DWORD WriteProfileValue(const char* pPath, const char* pSection, const char* pKey,
                        const char* pValue);

#endif
