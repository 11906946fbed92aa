#include "paramfile.h"

#include <string.h>

#include "fixedtext.h"
#include "memory.h"
#include "profileread.h"

namespace {

const int WALK_STOPPED = 0;
const int WALK_COMPLETE = 1;

typedef TFixedText<4096> TSectionName;

// A buffer that cannot be had stops the walk: the caller then ends its run
// without working on settings read only in part.
int WalkSection(TParamFileParser& rParser, const char* pPath, const char* pSection,
                ParamFileCallback pCallback)
{
  TProfileRead keys;
  int nRead = ReadProfileWhole(pSection, 0, pPath, &keys);
  if (nRead == PROFILE_READ_EMPTY) return WALK_COMPLETE;
  if (nRead == PROFILE_READ_NO_MEMORY) return WALK_STOPPED;
  char* pKey = static_cast<char*>(MemAlloc(keys.nSize));
  int nResult = pKey ? WALK_COMPLETE : WALK_STOPPED;
  for (const char* p = keys.pBuffer; nResult == WALK_COMPLETE && *p;) {
    p = rParser.NextListEntry(p, pKey);
    if (rParser.VisitKey(pPath, pSection, pKey, pCallback) == 0) nResult = WALK_STOPPED;
  }
  MemFree(pKey);
  MemFree(keys.pBuffer);
  return nResult;
}

}  // namespace

int ParseParametersFile(const char* pPath, ParamFileCallback pCallback)
{
  TParamFileParser parser;
  return parser.Parse(pPath, pCallback);
}

int TParamFileParser::Parse(const char* pPath, ParamFileCallback pCallback)
{
  if (pPath == 0) return WALK_COMPLETE;
  TProfileRead sections;
  int nRead = ReadProfileWhole(0, 0, pPath, &sections);
  if (nRead == PROFILE_READ_EMPTY) return WALK_COMPLETE;
  if (nRead == PROFILE_READ_NO_MEMORY) return WALK_STOPPED;
  char* pSection = static_cast<char*>(MemAlloc(sections.nSize));
  int nResult = pSection ? WALK_COMPLETE : WALK_STOPPED;
  for (const char* p = sections.pBuffer; nResult == WALK_COMPLETE && *p;) {
    p = NextListEntry(p, pSection);
    // A name too long for the callback's copy: that section is passed over.
    if (strlen(pSection) >= TSectionName::CAPACITY) continue;
    nResult = WalkSection(*this, pPath, pSection, pCallback);
  }
  MemFree(pSection);
  MemFree(sections.pBuffer);
  return nResult;
}

int TParamFileParser::VisitKey(const char* pPath, const char* pSection, const char* pKey,
                               ParamFileCallback pCallback)
{
  TSectionName section;
  // Parse passes such sections over; a direct call does the same.
  if (!section.Assign(pSection)) return 1;
  TProfileRead value;
  if (ReadProfileWhole(pSection, pKey, pPath, &value) != PROFILE_READ_DONE) return 0;
  int nResult = pCallback(section.Text(), pKey, value.pBuffer);
  MemFree(value.pBuffer);
  return nResult;
}

const char* TParamFileParser::NextListEntry(const char* pPosition, char* pName)
{
  size_t n = strlen(pPosition);
  memcpy(pName, pPosition, n + 1);
  return pPosition + n + 1;
}
