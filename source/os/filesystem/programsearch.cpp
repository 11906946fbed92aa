#include "programsearch.h"

#include <string.h>

#include "environmenttext.h"
#include "fullpath.h"
#include "pathsearch.h"
#include "platform.h"
#include "textcompare.h"
#include "tregkey.h"

namespace {

const char APP_PATHS[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
// Any of these ties a name to some folder, perhaps the current one.
const char FOLDER_MARKS[] = "\\/:";

bool IsFile(const char* pPath)
{
  DWORD dwAttributes = GetFileAttributesA(pPath);
  return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// True when the path names a file as written or with ".exe"; rFile then
// holds that name.
bool NamesFile(const char* pPath, TPathText& rFile)
{
  if (!rFile.Assign(pPath)) return false;
  return IsFile(pPath) || (rFile.Append(".exe") && IsFile(rFile.Text()));
}

// The default value of the name's App Paths key under the root, in double
// quotes or not; only a full path to a file counts.
bool FindInAppPaths(HKEY hRoot, const char* pName, TPathText& rFile)
{
  size_t nName = strlen(pName);
  bool bExe = nName >= 4 && EqualsNoCase(pName + nName - 4, ".exe");
  TText value;
  if (!value.Assign(APP_PATHS) || !value.Append(pName) || (!bExe && !value.Append(".exe")))
    return false;
  TRegKey key;
  if (key.Open(hRoot, value.Text(), KEY_READ) != ERROR_SUCCESS ||
      key.QueryExpandedValue(value, 0) != ERROR_SUCCESS)
    return false;
  char* pPath = value.Buffer();
  if (pPath[0] == '"') {
    const char* pQuote = FindPathChar(++pPath, '"');
    if (pQuote) pPath[pQuote - pPath] = 0;
  }
  return IsFullPath(pPath) && IsFile(pPath) && rFile.Assign(pPath);
}

// The first nFolder bytes of pFolder, when they are a full path, joined
// with the name.
bool FindInFolder(const char* pFolder, size_t nFolder, const char* pName, TPathText& rFile)
{
  TText path;
  if (!path.Assign(pFolder, nFolder) || !IsFullPath(path.Text())) return false;
  const char* pLast = FindLastPathChar(path.Text(), PATH_SEPARATOR_CHAR);
  if ((pLast == 0 || pLast[1] != 0) && !path.Append(PATH_SEPARATOR_TEXT)) return false;
  return path.Append(pName) && NamesFile(path.Text(), rFile);
}

bool FindInSearchFolders(const char* pName, TPathText& rFile)
{
  TPathText folder;
  UINT nLength = GetSystemDirectoryA(folder.Buffer(), MAX_PATH);
  if (nLength < MAX_PATH && FindInFolder(folder.Text(), nLength, pName, rFile)) return true;
  nLength = GetWindowsDirectoryA(folder.Buffer(), MAX_PATH);
  if (nLength < MAX_PATH && FindInFolder(folder.Text(), nLength, pName, rFile)) return true;
  // Without PATH the text stays "%PATH%", which is no full path. A relative
  // entry such as "." would be the current folder: only full ones count.
  TText list;
  if (!ExpandEnvironmentText("%PATH%", list)) return false;
  for (const char* p = list.Text();; ++p) {
    const char* pEnd = FindPathChar(p, PATH_LIST_SEPARATOR_CHAR);
    size_t nEntry = pEnd ? (size_t)(pEnd - p) : strlen(p);
    if (FindInFolder(p, nEntry, pName, rFile)) return true;
    if (pEnd == 0) return false;
    p = pEnd;
  }
}

}  // namespace

bool FindProgramFile(const char* pText, size_t nLength, TPathText& rFile)
{
  char aName[MAX_PATH];
  if (nLength == 0 || nLength >= MAX_PATH) return false;
  memcpy(aName, pText, nLength);
  aName[nLength] = 0;
  if (IsFullPath(aName)) return NamesFile(aName, rFile);
  if (FindAnyPathChar(aName, nLength, FOLDER_MARKS)) return false;
  return FindInAppPaths(HKEY_CURRENT_USER, aName, rFile) ||
         FindInAppPaths(HKEY_LOCAL_MACHINE, aName, rFile) || FindInSearchFolders(aName, rFile);
}
