// POSIX: the desktop and the Programs folder from the XDG directories.
// The desktop is XDG_DESKTOP_DIR of user-dirs.dirs ($HOME/Desktop without
// it), Programs the user's applications folder; EXTRACTPANEL_DESKTOP_DIR and
// EXTRACTPANEL_PROGRAMS_DIR set either for tests and users who want it so.
#include "specialfolder.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "fixedtext.h"

namespace {

bool NotEmpty(const char* pText) { return pText != 0 && *pText != 0; }

// The folder named by XDG_DESKTOP_DIR in user-dirs.dirs, whose values are
// "$HOME/..." or absolute paths in double quotes.
bool ReadXdgDesktop(const char* pHome, TPathText& rOut)
{
  TPathText file;
  const char* pConfig = getenv("XDG_CONFIG_HOME");
  bool bFits =
      NotEmpty(pConfig) ? file.Assign(pConfig) : file.Assign(pHome) && file.Append("/.config");
  if (!bFits || !file.Append("/user-dirs.dirs")) return false;
  FILE* pFile = fopen(file.Text(), "r");
  if (pFile == 0) return false;
  bool bFound = false;
  char aLine[1024];
  while (!bFound && fgets(aLine, sizeof aLine, pFile)) {
    const char* p = aLine;
    while (*p == ' ' || *p == '\t') ++p;
    static const char DESKTOP_DIR_KEY[] = "XDG_DESKTOP_DIR=\"";
    if (strncmp(p, DESKTOP_DIR_KEY, sizeof DESKTOP_DIR_KEY - 1) != 0) continue;
    p += sizeof DESKTOP_DIR_KEY - 1;
    const char* pEnd = strchr(p, '"');
    if (pEnd == 0) continue;
    TPathText value;
    if (strncmp(p, "$HOME", 5) == 0) {
      if (!value.Assign(pHome)) continue;
      p += 5;
    }
    char aRest[MAX_PATH];
    size_t nRest = (size_t)(pEnd - p);
    if (nRest >= sizeof aRest) continue;
    memcpy(aRest, p, nRest);
    aRest[nRest] = 0;
    if (!value.Append(aRest) || value.IsEmpty()) continue;
    bFound = rOut.Assign(value.Text());
  }
  fclose(pFile);
  return bFound;
}

bool FindDesktop(const char* pHome, TPathText& rOut)
{
  if (ReadXdgDesktop(pHome, rOut)) return true;
  return rOut.Assign(pHome) && rOut.Append("/Desktop");
}

bool FindPrograms(const char* pHome, TPathText& rOut)
{
  const char* pData = getenv("XDG_DATA_HOME");
  if (NotEmpty(pData)) return rOut.Assign(pData) && rOut.Append("/applications");
  return rOut.Assign(pHome) && rOut.Append("/.local/share/applications");
}

}  // namespace

HRESULT GetSpecialFolderPath(TSpecialFolder eFolder, char* pPath)
{
  pPath[0] = 0;
  bool bDesktop = eFolder == SPECIAL_FOLDER_DESKTOP;
  if (!bDesktop && eFolder != SPECIAL_FOLDER_PROGRAMS) return E_INVALIDARG;
  TPathText folder;
  const char* pOverride =
      getenv(bDesktop ? "EXTRACTPANEL_DESKTOP_DIR" : "EXTRACTPANEL_PROGRAMS_DIR");
  const char* pHome = getenv("HOME");
  bool bFound;
  if (NotEmpty(pOverride)) bFound = folder.Assign(pOverride);
  else if (!NotEmpty(pHome)) bFound = false;
  else bFound = bDesktop ? FindDesktop(pHome, folder) : FindPrograms(pHome, folder);
  if (!bFound) return E_FAIL;
  memcpy(pPath, folder.Text(), folder.GetLength() + 1);
  return S_OK;
}
