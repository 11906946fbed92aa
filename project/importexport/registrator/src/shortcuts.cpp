#include "shortcuts.h"

#include "bookkey.h"
#include "postextractionsettings.h"
#include "resourcetext.h"
#include "shelllink.h"
#include "shellnotify.h"
#include "specialfolder.h"
#include "stringtable.h"
#include "tpath.h"
#include "tregkey.h"

namespace {

HRESULT GetSpecialShortcutFolder(TSpecialFolder eFolder, TPathText& rOut)
{
  char aPath[MAX_PATH];
  HRESULT hResult = GetSpecialFolderPath(eFolder, aPath);
  if (SUCCEEDED(hResult) && aPath[0] != 0 && !rOut.Assign(aPath)) return E_FAIL;
  return hResult;
}

// " (n).lnk", n in decimal without leading zeros.
void FormatCounterSuffix(unsigned long n, TFixedText<32>& rOut)
{
  char aText[24];
  char* pOut = aText;
  char aDigits[24];
  int nCount = 0;
  do {
    aDigits[nCount++] = (char)('0' + n % 10);
    n /= 10;
  } while (n != 0);
  while (nCount > 0) *pOut++ = aDigits[--nCount];
  *pOut = 0;
  rOut.Assign(" (");
  rOut.Append(aText);
  rOut.Append(").lnk");
}

bool Exists(const char* pPath) { return GetFileAttributesA(pPath) != INVALID_FILE_ATTRIBUTES; }

// True when this call made the file: a name that anything else has taken,
// even a moment ago, is never written to.
bool MakeNewFile(const char* pPath)
{
  HANDLE hFile = CreateFileA(pPath, GENERIC_WRITE, 0, 0, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, 0);
  if (hFile == INVALID_HANDLE_VALUE) return false;
  CloseHandle(hFile);
  return true;
}

// Reads one choice; the value is removed once it was read.
void TakeChoice(TRegKey& rBookKey, const char* pName, int& rChoice)
{
  DWORD dwValue = 0;
  if (rBookKey.QueryValue(dwValue, pName) != ERROR_SUCCESS) return;
  rChoice = (int)dwValue;
  rBookKey.DeleteValue(pName);
}

}  // namespace

HRESULT GetShortcutFolder(int nKind, TPathText* pOut)
{
  if (pOut == 0) return E_FAIL;
  pOut->Clear();
  switch (nKind) {
    case SHORTCUT_OPEN:
      if (g_PostSettings.InstallDirectory.IsEmpty()) return S_FALSE;
      return pOut->Assign(g_PostSettings.InstallDirectory.Text()) ? S_OK : E_FAIL;
    case SHORTCUT_DESKTOP: return GetSpecialShortcutFolder(SPECIAL_FOLDER_DESKTOP, *pOut);
    case SHORTCUT_STARTMENU: {
      HRESULT hResult = GetSpecialShortcutFolder(SPECIAL_FOLDER_PROGRAMS, *pOut);
      if (FAILED(hResult) || pOut->IsEmpty()) return hResult;
      char aGroup[MAX_PATH];
      LoadResourceText(IDS_SHORTCUT_GROUP, aGroup, MAX_PATH, "Ostrelbooks");
      if (pOut->Append(PATH_SEPARATOR_TEXT) && pOut->Append(aGroup)) return S_OK;
      pOut->Clear();
      return E_FAIL;
    }
    default: return E_FAIL;
  }
}

HRESULT GetDefaultShortcutName(int nKind, char* pOut, int nCapacity)
{
  if (pOut == 0) return E_FAIL;
  if (nCapacity > 0) pOut[0] = 0;
  switch (nKind) {
    case SHORTCUT_OPEN:
      LoadResourceText(IDS_OPEN_SHORTCUT_NAME, pOut, nCapacity, "Open autorun book");
      break;
    case SHORTCUT_DESKTOP:
      LoadResourceText(IDS_DESKTOP_SHORTCUT_NAME, pOut, nCapacity, "autorun book");
      break;
    case SHORTCUT_STARTMENU:
      LoadResourceText(IDS_STARTMENU_SHORTCUT_NAME, pOut, nCapacity, "autorun book");
      break;
    default: return E_FAIL;
  }
  return S_OK;
}

bool ReserveShortcutFile(const char* pBase, TPathText& rFile)
{
  if (!rFile.Assign(pBase) || !rFile.Append(".lnk")) {
    rFile.Clear();
    return false;
  }
  // Anything under the name counts as taken, readable or not; a name that
  // is free and still cannot be made ends the search.
  for (unsigned long n = 0; !MakeNewFile(rFile.Text()); ++n) {
    TFixedText<32> suffix;
    FormatCounterSuffix(n, suffix);
    if (!Exists(rFile.Text()) || !rFile.Assign(pBase) || !rFile.Append(suffix.Text())) {
      rFile.Clear();
      return false;
    }
  }
  return true;
}

HRESULT MakeShortcut(int nKind, const char* pTarget, const char* pName, const char* pIcon)
{
  if (pTarget == 0 || *pTarget == 0) return 1;
  TPathText folder;
  HRESULT hResult = GetShortcutFolder(nKind, &folder);
  if (FAILED(hResult) || folder.IsEmpty()) return 1;
  if (CreateDirectoryTree(folder.Text(), 0) == 0) return 1;

  TPathText name;
  if (pName == 0 || *pName == 0 || !name.Assign(pName))
    GetDefaultShortcutName(nKind, name.Buffer(), (int)TPathText::CAPACITY);
  TPathText base;
  TPathText file;
  if (!base.Assign(folder.Text()) || !base.Append(PATH_SEPARATOR_TEXT) ||
      !base.Append(name.Text()) || !ReserveShortcutFile(base.Text(), file))
    return 1;

  hResult = SaveShellLink(file.Text(), pTarget, pIcon ? pIcon : "");
  if (SUCCEEDED(hResult)) NotifyShellItemCreated(file.Text());
  else DeleteFileA(file.Text());  // the empty reservation is no link
  return hResult;
}

int ReadShortcutChoices()
{
  TPostExtractionSettings& rSettings = g_PostSettings;
  if (rSettings.BookId.IsEmpty()) return 0;
  TRegKey referrals;
  TRegKey book;
  if (OpenBookKey(rSettings.BookId.Text(), BOOK_KEY_OPEN, KEY_READ | KEY_SET_VALUE, referrals,
                  book) == ERROR_SUCCESS) {
    TakeChoice(book, "ShortcutOnDesktop", rSettings.DesktopChoice);
    TakeChoice(book, "ShortcutInWindowsStartMenu", rSettings.StartMenuChoice);
  }
  return 1;
}

int MakeChosenShortcuts()
{
  const TPostExtractionSettings& rSettings = g_PostSettings;
  ReadShortcutChoices();
  if (rSettings.DesktopChoice != 0)
    MakeShortcut(SHORTCUT_DESKTOP, rSettings.TargetPath.Text(),
                 rSettings.DesktopShortcutName.Text(), rSettings.IconPath.Text());
  if (rSettings.StartMenuChoice != 0)
    MakeShortcut(SHORTCUT_STARTMENU, rSettings.TargetPath.Text(),
                 rSettings.DesktopShortcutName.Text(), rSettings.IconPath.Text());
  return 1;
}
