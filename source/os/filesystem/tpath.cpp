#include "tpath.h"

#include <string.h>

#include "fixedtext.h"
#include "fullpath.h"
#include "pathsearch.h"
#include "programsearch.h"

namespace {

// Room for the text, nExtra more characters and the terminator, and never
// less than the platform's path buffer: the in-place platform edits assume
// MAX_PATH characters, and a 259-character path plus a backslash needs 261.
char* PrepareInPlaceEdit(TText& rText, size_t nExtra)
{
  size_t nNeeded = rText.GetLength() + nExtra;
  if (nNeeded < MAX_PATH - 1) nNeeded = MAX_PATH - 1;
  if (!rText.Reserve(nNeeded)) return 0;
  return rText.Buffer();
}

}  // namespace

int TPath::GetRoot(TText& rRoot) const
{
  const char* pPath = m_rPath.Text();
  if (PathIsRelativeA(pPath)) return 0;
  const char* pRemainder = PathSkipRootA(pPath);
  if (pRemainder == 0 || *pRemainder == 0) {
    // No root the platform knows, or nothing after it: the whole text is
    // the root (C:, C:Books, \\server), unless it is a bare \folder.
    if (pPath[0] == '\\' && !PathIsUNCA(pPath)) return 0;
    return rRoot.Assign(pPath) ? 1 : 0;
  }
  return rRoot.Assign(pPath, pRemainder - pPath) ? 1 : 0;
}

int TPath::AddBackslash()
{
  char* pBuffer = PrepareInPlaceEdit(m_rPath, 1);
  if (pBuffer) {
    PathAddBackslashA(pBuffer);
    m_rPath.SyncLength();
  }
  return 1;
}

int TPath::GetArgs(TText& rArgs) const
{
  const char* pArgs = PathGetArgsA(m_rPath.Text());
  if (pArgs == 0 || !rArgs.Assign(pArgs)) {
    rArgs.Clear();
    return 0;
  }
  return rArgs.IsEmpty() ? 0 : 1;
}

int TPath::RemoveArgs()
{
  char* pBuffer = PrepareInPlaceEdit(m_rPath, 0);
  if (pBuffer) {
    PathRemoveArgsA(pBuffer);
    m_rPath.SyncLength();
  }
  return 1;
}

// Steps over whole characters of the code page, as the platform's own
// split does.
int TPath::SplitAtProgramFile(TText& rArgs)
{
  const char* pText = m_rPath.Text();
  TPathText program;
  TPathText candidate;
  const char* pArgs = 0;
  for (const char* p = pText;; p = CharNextA(p)) {
    if (*p != ' ' && *p != 0) continue;
    // The longest wins, so C:\Program.exe never stands in for a program
    // that is there under C:\Program Files, nor my.exe for my browser.exe.
    if (FindProgramFile(pText, (size_t)(p - pText), candidate) && program.Assign(candidate.Text()))
      pArgs = *p ? p + 1 : p;
    if (*p == 0) break;
  }
  if (pArgs == 0 || !rArgs.Assign(pArgs)) return 0;
  return m_rPath.Assign(program.Text()) ? 1 : 0;
}

int TPath::FindQuotedProgramFile()
{
  const char* pName = m_rPath.Text() + 1;
  if (IsFullPath(pName)) return 1;
  const char* pQuote = FindPathChar(pName, '"');
  TPathText file;
  if (!FindProgramFile(pName, pQuote ? (size_t)(pQuote - pName) : strlen(pName), file)) return 0;
  return m_rPath.Assign(file.Text()) ? 1 : 0;
}
