// POSIX only: profile files: their lines, the parse for reads, and the write
// that changes one line and replaces the file atomically.
#include "profilefile.h"

#include <errno.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <memory>

#include "foldedname.h"
#include "wholefile.h"

namespace {

const char BLANKS[] = " \t";

enum TProfileLineKind {
  PROFILE_LINE_BLANK,  // nothing but blanks (spaces, tabs)
  PROFILE_LINE_OTHER,  // comment, text without "=", broken header
  PROFILE_LINE_SECTION,  // [name]; text after the "]" is ignored
  PROFILE_LINE_KEY  // name=value, split at the first "="
};

// A line as a read and a write both see it, so that a write edits exactly
// the line a read would find. Line ends are CR LF, LF, CR and NUL (so no
// name or value holds one). Names and values are without the blanks around
// them.
struct TProfileLine
{
  size_t End;  // its line end, or the end of the text
  size_t Next;  // first byte of the next line
  TProfileLineKind Kind;
  std::string Name;
  std::string Value;  // keys only, quotes kept
};

bool IsLineEnd(char c) { return c == '\r' || c == '\n' || c == 0; }

std::string Trimmed(const std::string& rText)
{
  size_t nFirst = rText.find_first_not_of(BLANKS);
  if (nFirst == std::string::npos) return std::string();
  return rText.substr(nFirst, rText.find_last_not_of(BLANKS) - nFirst + 1);
}

void Classify(const std::string& rLine, TProfileLine& rOut)
{
  size_t nFirst = rLine.find_first_not_of(BLANKS);
  if (nFirst == std::string::npos) return;
  rOut.Kind = PROFILE_LINE_OTHER;
  if (rLine[nFirst] == ';') return;
  if (rLine[nFirst] == '[') {
    size_t nClose = rLine.find(']', nFirst);
    if (nClose == std::string::npos) return;
    rOut.Kind = PROFILE_LINE_SECTION;
    rOut.Name = Trimmed(rLine.substr(nFirst + 1, nClose - nFirst - 1));
    return;
  }
  size_t nEqual = rLine.find('=', nFirst);
  if (nEqual == std::string::npos) return;
  rOut.Kind = PROFILE_LINE_KEY;
  rOut.Name = Trimmed(rLine.substr(nFirst, nEqual - nFirst));
  rOut.Value = Trimmed(rLine.substr(nEqual + 1));
}

// The line that starts at nStart, which is inside the text.
TProfileLine LineAt(const std::string& rText, size_t nStart)
{
  size_t nEnd = std::find_if(rText.begin() + nStart, rText.end(), IsLineEnd) - rText.begin();
  TProfileLine line{nEnd, nEnd, PROFILE_LINE_BLANK, {}, {}};
  if (nEnd < rText.size()) line.Next += rText.compare(nEnd, 2, "\r\n") == 0 ? 2 : 1;
  Classify(rText.substr(nStart, nEnd - nStart), line);
  return line;
}

std::string WithoutQuotes(const std::string& rValue)
{
  bool bQuoted =
      rValue.size() >= 2 && (rValue[0] == '"' || rValue[0] == '\'') && rValue.back() == rValue[0];
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

// False when the text already holds the value. The first section of the
// name counts, and its first key of the name, as for a read.
bool SetValueInText(std::string& rText, const char* pSection, const char* pKey, const char* pValue)
{
  const std::string section = ProfileName(pSection);
  const std::string key = ProfileName(pKey);
  bool bInSection = false;
  size_t nAt = rText.size();  // where a new line goes: after the section's last filled line
  TProfileLine line;
  for (size_t nStart = 0; nStart < rText.size(); nStart = line.Next) {
    line = LineAt(rText, nStart);
    if (line.Kind == PROFILE_LINE_SECTION) {
      if (bInSection) break;
      bInSection = FoldedName(line.Name) == section;
      if (bInSection) nAt = line.Next;
    } else if (bInSection && line.Kind != PROFILE_LINE_BLANK) {
      nAt = line.Next;
      if (line.Kind != PROFILE_LINE_KEY || FoldedName(line.Name) != key) continue;
      if (line.Value == pValue) return false;
      // The name keeps the spelling it has in the file.
      rText.replace(nStart, line.End - nStart, line.Name + "=" + pValue);
      return true;
    }
  }
  const std::string end = LineEnd(rText);
  std::string added = nAt == 0 || IsLineEnd(rText[nAt - 1]) ? "" : end;
  if (!bInSection) added += "[" + Trimmed(pSection) + "]" + end;
  rText.insert(nAt, added + Trimmed(pKey) + "=" + pValue + end);
  return true;
}

DWORD ErrorFromErrno(int nErrno)
{
  return (nErrno == ENOENT || nErrno == ENOTDIR) ? ERROR_PATH_NOT_FOUND : ERROR_ACCESS_DENIED;
}

// A new file gets the mode open() would give it.
mode_t NewFileMode()
{
  mode_t nMask = umask(0);
  umask(nMask);
  return 0666 & ~nMask;
}

// Writes a temporary file beside the file and renames it over the file, so
// no reader ever sees half a file.
DWORD ReplaceProfile(const char* pPath, const std::string& rText, mode_t nMode)
{
  // A link is followed, so the file it names is the one replaced.
  std::unique_ptr<char, decltype(&free)> target(realpath(pPath, nullptr), &free);
  std::string final = target ? target.get() : pPath;
  std::string temporary = final + ".XXXXXX";
  int fd = mkstemp(&temporary[0]);
  if (fd < 0) return ErrorFromErrno(errno);
  int nError = ReplaceFileBytes(fd, temporary, final, rText, nMode);
  return nError == 0 ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

}  // namespace

std::string ProfileName(const char* pName) { return FoldedName(Trimmed(pName)); }

TProfile ParseProfile(const std::string& rText)
{
  TProfile profile;
  TProfileSection* pSection = nullptr;  // none before the first, nor for a repeated one
  TProfileLine line;
  for (size_t nStart = 0; nStart < rText.size(); nStart = line.Next) {
    line = LineAt(rText, nStart);
    if (line.Kind == PROFILE_LINE_SECTION) {
      profile.SectionList += line.Name + '\0';
      auto added = profile.Sections.emplace(FoldedName(line.Name), TProfileSection());
      pSection = added.second ? &added.first->second : nullptr;
    } else if (line.Kind == PROFILE_LINE_KEY && pSection) {
      pSection->KeyList += line.Name + '\0';
      pSection->Values.emplace(FoldedName(line.Name), WithoutQuotes(line.Value));
    }
  }
  return profile;
}

DWORD WriteProfileValue(const char* pPath, const char* pSection, const char* pKey,
                        const char* pValue)
{
  std::string text;
  mode_t nMode;
  struct stat info;
  if (stat(pPath, &info) == 0) {
    // Windows refuses a read-only file whoever asks; root would not be.
    if (!S_ISREG(info.st_mode) || (info.st_mode & S_IWUSR) == 0) return ERROR_ACCESS_DENIED;
    int nError = ReadFileBytes(pPath, text, SIZE_MAX);
    if (nError != 0) return ErrorFromErrno(nError);
    nMode = info.st_mode & 07777;
  } else if (errno == ENOENT) {
    nMode = NewFileMode();
  } else {
    return ErrorFromErrno(errno);
  }
  if (!SetValueInText(text, pSection, pKey, pValue)) return ERROR_SUCCESS;
  return ReplaceProfile(pPath, text, nMode);
}
