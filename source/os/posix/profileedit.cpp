// POSIX only: editing the text of a profile file for one write.
#include "profileedit.h"

#include <string.h>

#include "profilelines.h"
#include "textcompare.h"

namespace {

struct TFound
{
  bool bSection;
  TProfileLine header;
  size_t nBlockEnd;        // where the next section header starts
  TProfileLine lastFilled; // the last line of the block that is not blank
  bool bKey;
  TProfileLine key;
};

bool NameIs(const char* pText, size_t nName, size_t nLength, const char* pName)
{
  size_t nWanted = strlen(pName);
  TrimProfileName(&pName, &nWanted);
  return EqualsNoCase(pText + nName, nLength, pName, nWanted);
}

// The first block of the section counts, as for a read.
void Find(const char* pText, size_t nLength, const char* pSection, const char* pKey,
          TFound& rFound)
{
  memset(&rFound, 0, sizeof rFound);
  rFound.nBlockEnd = nLength;
  TProfileLine line;
  for (size_t nAt = 0; ReadProfileLine(pText, nLength, nAt, &line); nAt = line.nNext) {
    if (line.eKind == PROFILE_LINE_SECTION) {
      if (rFound.bSection) { rFound.nBlockEnd = line.nStart; return; }
      if (NameIs(pText, line.nName, line.nNameLength, pSection)) {
        rFound.bSection = true;
        rFound.header = rFound.lastFilled = line;
      }
      continue;
    }
    if (!rFound.bSection) continue;
    if (!line.bBlank) rFound.lastFilled = line;
    if (line.eKind == PROFILE_LINE_KEY && pKey && !rFound.bKey &&
        NameIs(pText, line.nName, line.nNameLength, pKey)) {
      rFound.bKey = true;
      rFound.key = line;
    }
  }
}

// The file's own line end, CR LF for a file that has none yet.
const char* LineEnd(const char* pText, size_t nLength)
{
  for (size_t i = 0; i < nLength; ++i) {
    if (pText[i] == '\n') return "\n";
    if (pText[i] == '\r') return (i + 1 < nLength && pText[i + 1] == '\n') ? "\r\n" : "\r";
  }
  return "\r\n";
}

bool AppendTrimmed(TText& rText, const char* pName)
{
  size_t nLength = strlen(pName);
  TrimProfileName(&pName, &nLength);
  return rText.Append(pName, nLength);
}

// Text before nFrom, then pMiddle, then text from nResume on.
bool Splice(const char* pText, size_t nLength, size_t nFrom, const TText& rMiddle,
            size_t nResume, TText& rEdited)
{
  return rEdited.Assign(pText, nFrom) && rEdited.Append(rMiddle.Text(), rMiddle.GetLength()) &&
         rEdited.Append(pText + nResume, nLength - nResume);
}

bool KeyLine(TText& rLine, const char* pName, size_t nNameLength, const char* pValue)
{
  return rLine.Append(pName, nNameLength) && rLine.Append("=") && rLine.Append(pValue);
}

}  // namespace

TProfileEditResult EditProfileText(const char* pText, size_t nLength, const char* pSection,
                                   const char* pKey, const char* pValue, TText& rEdited)
{
  TFound found;
  Find(pText, nLength, pSection, pKey, found);
  TText middle;
  bool bOk = middle.Assign("");
  size_t nFrom, nResume;
  if (pKey == 0 || pValue == 0) {
    if (pKey == 0 && !found.bSection) return PROFILE_EDIT_UNCHANGED;
    if (pKey != 0 && !found.bKey) return PROFILE_EDIT_UNCHANGED;
    nFrom = pKey ? found.key.nStart : found.header.nStart;
    nResume = pKey ? found.key.nNext : found.nBlockEnd;
  } else if (found.bKey) {
    const char* pOld = pText + found.key.nValue;
    if (found.key.nValueLength == strlen(pValue) &&
        memcmp(pOld, pValue, found.key.nValueLength) == 0)
      return PROFILE_EDIT_UNCHANGED;
    // The name keeps the spelling it has in the file.
    bOk = bOk && KeyLine(middle, pText + found.key.nName, found.key.nNameLength, pValue);
    nFrom = found.key.nStart;
    nResume = found.key.nEnd;
  } else {
    const char* pEnd = LineEnd(pText, nLength);
    nFrom = nResume = found.bSection ? found.lastFilled.nNext : nLength;
    bool bEndsLine = nFrom == 0 || pText[nFrom - 1] == '\n' || pText[nFrom - 1] == '\r' ||
                     pText[nFrom - 1] == 0;
    if (!bEndsLine) bOk = bOk && middle.Append(pEnd);
    if (!found.bSection)
      bOk = bOk && middle.Append("[") && AppendTrimmed(middle, pSection) &&
            middle.Append("]") && middle.Append(pEnd);
    bOk = bOk && AppendTrimmed(middle, pKey) && middle.Append("=") && middle.Append(pValue) &&
          middle.Append(pEnd);
  }
  if (!bOk || !Splice(pText, nLength, nFrom, middle, nResume, rEdited))
    return PROFILE_EDIT_NO_MEMORY;
  return PROFILE_EDIT_CHANGED;
}
