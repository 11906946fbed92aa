// POSIX only: profile files: lines, parsing, line-preserving edits and
// atomic replacement.
#include "profilefile.h"

#include <errno.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <cstdint>
#include <memory>

#include "foldedname.h"
#include "wholefile.h"

namespace {

const char kBlanks[] = " \t";

bool IsLineEnd(char c) { return c == '\r' || c == '\n' || c == 0; }

void Classify(const std::string& rLine, TProfileLine& rOut)
{
  size_t nFirst = rLine.find_first_not_of(kBlanks);
  rOut.Blank = nFirst == std::string::npos;
  rOut.Kind = PROFILE_LINE_OTHER;
  if (rOut.Blank || rLine[nFirst] == ';') return;
  if (rLine[nFirst] == '[') {
    size_t nClose = rLine.find(']', nFirst);
    if (nClose == std::string::npos) return;
    rOut.Kind = PROFILE_LINE_SECTION;
    rOut.Name = TrimmedName(rLine.substr(nFirst + 1, nClose - nFirst - 1));
    return;
  }
  size_t nEqual = rLine.find('=', nFirst);
  if (nEqual == std::string::npos) return;
  rOut.Kind = PROFILE_LINE_KEY;
  rOut.Name = TrimmedName(rLine.substr(nFirst, nEqual - nFirst));
  rOut.Value = TrimmedName(rLine.substr(nEqual + 1));
}

std::string WithoutQuotes(const std::string& rValue)
{
  bool bQuoted = rValue.size() >= 2 && (rValue[0] == '"' || rValue[0] == '\'') &&
                 rValue.back() == rValue[0];
  return bQuoted ? rValue.substr(1, rValue.size() - 2) : rValue;
}

// The file's own line end, CR LF for a file that has none yet.
const char* LineEnd(const std::string& rText)
{
  size_t nAt = rText.find_first_of("\r\n");
  if (nAt == std::string::npos) return "\r\n";
  if (rText[nAt] == '\n') return "\n";
  return nAt + 1 < rText.size() && rText[nAt + 1] == '\n' ? "\r\n" : "\r";
}

DWORD ErrorFromErrno(int nErrno)
{
  return (nErrno == ENOENT || nErrno == ENOTDIR) ? ERROR_PATH_NOT_FOUND : ERROR_ACCESS_DENIED;
}

}  // namespace

std::string TrimmedName(const std::string& rName)
{
  size_t nFirst = rName.find_first_not_of(kBlanks);
  if (nFirst == std::string::npos) return std::string();
  return rName.substr(nFirst, rName.find_last_not_of(kBlanks) - nFirst + 1);
}

std::vector<TProfileLine> ProfileLines(const std::string& rText)
{
  std::vector<TProfileLine> lines;
  for (size_t nStart = 0; nStart < rText.size();) {
    TProfileLine line{nStart, nStart, 0, PROFILE_LINE_OTHER, {}, {}, true};
    while (line.End < rText.size() && !IsLineEnd(rText[line.End])) ++line.End;
    line.Next = line.End;
    if (line.Next < rText.size())
      line.Next += rText.compare(line.Next, 2, "\r\n") == 0 ? 2 : 1;
    Classify(rText.substr(nStart, line.End - nStart), line);
    lines.push_back(line);
    nStart = line.Next;
  }
  return lines;
}

TProfile ParseProfile(const std::string& rText)
{
  TProfile profile;
  for (const TProfileLine& rLine : ProfileLines(rText)) {
    if (rLine.Kind == PROFILE_LINE_SECTION) {
      profile.Index.emplace(FoldedName(rLine.Name), profile.Sections.size());
      profile.Sections.push_back(TProfileSection{rLine.Name, {}, {}, {}});
      profile.SectionList += rLine.Name + '\0';
    } else if (rLine.Kind == PROFILE_LINE_KEY && !profile.Sections.empty()) {
      TProfileSection& rSection = profile.Sections.back();
      rSection.Keys.emplace(FoldedName(rLine.Name), rSection.Values.size());
      rSection.Values.push_back(WithoutQuotes(rLine.Value));
      rSection.KeyList += rLine.Name + '\0';
    }
  }
  return profile;
}

bool EditProfileText(std::string& rText, const char* pSection, const char* pKey,
                     const char* pValue)
{
  // The first block of the section counts, as for a read.
  const std::string section = FoldedName(TrimmedName(pSection));
  const std::string key = pKey ? FoldedName(TrimmedName(pKey)) : std::string();
  const TProfileLine* pHeader = nullptr;
  const TProfileLine* pLastFilled = nullptr;  // the block's last line that is not blank
  const TProfileLine* pKeyLine = nullptr;
  size_t nBlockEnd = rText.size();
  std::vector<TProfileLine> lines = ProfileLines(rText);
  for (const TProfileLine& rLine : lines) {
    if (rLine.Kind == PROFILE_LINE_SECTION) {
      if (pHeader) { nBlockEnd = rLine.Start; break; }
      if (FoldedName(rLine.Name) == section) pHeader = pLastFilled = &rLine;
      continue;
    }
    if (!pHeader) continue;
    if (!rLine.Blank) pLastFilled = &rLine;
    if (rLine.Kind == PROFILE_LINE_KEY && pKey && !pKeyLine && FoldedName(rLine.Name) == key)
      pKeyLine = &rLine;
  }
  if (pKey == nullptr || pValue == nullptr) {
    if (pKey ? !pKeyLine : !pHeader) return false;
    size_t nFrom = pKey ? pKeyLine->Start : pHeader->Start;
    rText.erase(nFrom, (pKey ? pKeyLine->Next : nBlockEnd) - nFrom);
  } else if (pKeyLine) {
    if (pKeyLine->Value == pValue) return false;
    // The name keeps the spelling it has in the file.
    rText.replace(pKeyLine->Start, pKeyLine->End - pKeyLine->Start, pKeyLine->Name + "=" + pValue);
  } else {
    const std::string end = LineEnd(rText);
    size_t nAt = pHeader ? pLastFilled->Next : rText.size();
    std::string added = nAt == 0 || IsLineEnd(rText[nAt - 1]) ? "" : end;
    if (!pHeader) added += "[" + TrimmedName(pSection) + "]" + end;
    rText.insert(nAt, added + TrimmedName(pKey) + "=" + pValue + end);
  }
  return true;
}

DWORD ReadProfileText(const char* pPath, std::string& rText)
{
  int nError = ReadFileBytes(pPath, rText, SIZE_MAX);
  return nError == 0 ? ERROR_SUCCESS : ErrorFromErrno(nError);
}

DWORD ReadProfileForWrite(const char* pPath, std::string& rText, bool& rExists, mode_t& rMode)
{
  rExists = false;
  rText.clear();
  mode_t nMask = umask(0);
  umask(nMask);
  rMode = 0666 & ~nMask;
  struct stat info;
  if (stat(pPath, &info) != 0) return errno == ENOENT ? ERROR_SUCCESS : ErrorFromErrno(errno);
  // Windows refuses a read-only file whoever asks; root would not be.
  if (!S_ISREG(info.st_mode) || (info.st_mode & S_IWUSR) == 0) return ERROR_ACCESS_DENIED;
  DWORD nError = ReadProfileText(pPath, rText);
  if (nError != ERROR_SUCCESS) return nError;
  rExists = true;
  rMode = info.st_mode & 07777;
  return ERROR_SUCCESS;
}

DWORD ReplaceProfile(const char* pPath, const std::string& rText, mode_t nMode)
{
  // A link is followed, so the file it names is the one replaced.
  std::unique_ptr<char, decltype(&free)> target(realpath(pPath, nullptr), &free);
  std::string final = target ? target.get() : pPath;
  std::string temporary = final + ".XXXXXX";
  int fd = mkstemp(&temporary[0]);
  if (fd < 0) return ErrorFromErrno(errno);
  return ReplaceFileBytes(fd, temporary, final, rText, nMode) == 0 ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}
