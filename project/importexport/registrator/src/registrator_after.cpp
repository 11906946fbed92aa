#include "registrator_after.h"

#include "filetype.h"
#include "openbook.h"
#include "pathsearch.h"
#include "platform.h"
#include "settings.h"
#include "settingswalk.h"
#include "shortcuts.h"
#include "textcompare.h"

namespace {

// The six settings that both the command line and the parameters file may
// carry. An over-long value is refused by Assign: the setting keeps what it
// held, as if the option had not been given. Returns 1 when the key is one
// of them.
int KeepBookSetting(const char* pKey, const char* pValue)
{
  TPostExtractionSettings& rSettings = g_PostSettings;
  if (EqualsNoCase(pKey, "desktopshortcutname")) rSettings.DesktopShortcutName.Assign(pValue);
  else if (EqualsNoCase(pKey, "openshortcutname")) rSettings.OpenShortcutName.Assign(pValue);
  else if (EqualsNoCase(pKey, "importtoostrelfilename")) rSettings.ImportMarkerName.Assign(pValue);
  else if (EqualsNoCase(pKey, "targetfilepath")) rSettings.TargetName.Assign(pValue);
  else if (EqualsNoCase(pKey, "shortcuticonpath")) rSettings.IconName.Assign(pValue);
  else if (EqualsNoCase(pKey, "autorunbookid")) rSettings.BookId.Assign(pValue);
  else return 0;
  return 1;
}

// rOut := install directory + separator + pName. An empty name, or a join
// that does not fit, leaves rOut empty, so the step that needs it is skipped.
void JoinToInstallDirectory(const TPathText& rName, TPathText& rOut)
{
  rOut.Clear();
  if (rName.IsEmpty()) return;
  if (!rOut.Assign(g_PostSettings.InstallDirectory.Text()) ||
      !rOut.Append(PATH_SEPARATOR_TEXT) || !rOut.Append(rName.Text()))
    rOut.Clear();
}

}  // namespace

int PostExtractionOptionCallback(const char* pKey, const char* pValue)
{
  if (KeepBookSetting(pKey, pValue)) return 1;
  if (EqualsNoCase(pKey, "installdirectory")) g_PostSettings.InstallDirectory.Assign(pValue);
  else if (EqualsNoCase(pKey, "parametersfilepath")) g_PostSettings.ParametersFilePath.Assign(pValue);
  return 1;
}

int PostExtractionParamCallback(const char* pSection, const char* pKey, const char* pValue)
{
  if (pSection == 0 || pKey == 0 || !EqualsNoCase(pSection, "parameters")) return 1;
  KeepBookSetting(pKey, pValue);
  return 1;
}

void DerivePostExtractionPaths()
{
  TPostExtractionSettings& rSettings = g_PostSettings;
  if (rSettings.InstallDirectory.IsEmpty()) return;
  JoinToInstallDirectory(rSettings.IconName, rSettings.IconPath);
  JoinToInstallDirectory(rSettings.TargetName, rSettings.TargetPath);
  JoinToInstallDirectory(rSettings.ImportMarkerName, rSettings.ImportMarkerPath);
  // The book's folder names the desktop and Start-menu shortcuts.
  const char* pSeparator = FindLastPathChar(rSettings.InstallDirectory.Text(), PATH_SEPARATOR_CHAR);
  if (pSeparator != 0 && pSeparator[1] != 0) rSettings.DesktopShortcutName.Assign(pSeparator + 1);
}

TPostExtractionRunner::TPostExtractionRunner()
{
  TPostExtractionSettings& rSettings = g_PostSettings;
  rSettings.DesktopShortcutName.Clear();
  rSettings.OpenShortcutName.Clear();
  rSettings.ImportMarkerName.Clear();
  rSettings.ImportMarkerPath.Clear();
  rSettings.IconName.Clear();
  rSettings.IconPath.Clear();
  rSettings.TargetName.Clear();
  rSettings.TargetPath.Clear();
  rSettings.BookId.Clear();
  rSettings.InstallDirectory.Clear();
  rSettings.ParametersFilePath.Clear();
  rSettings.DesktopChoice = 1;
  rSettings.StartMenuChoice = 1;
}

int TPostExtractionRunner::Run(const char* pCommandLine)
{
  TPostExtractionSettings& rSettings = g_PostSettings;
  // Settings read only in part, or not at all, register nothing.
  switch (WalkSettings(pCommandLine, PostExtractionOptionCallback, rSettings.ParametersFilePath,
                       PostExtractionParamCallback)) {
    case SETTINGS_REFUSED:
    case SETTINGS_STOPPED: return 1;
    case SETTINGS_DONE: break;
  }
  DerivePostExtractionPaths();

  // Fixed order: the choices are read back only after the open shortcut and
  // the association exist, and the book is opened last.
  RecordInstallDirectory();
  MakeShortcut(SHORTCUT_OPEN, rSettings.TargetPath.Text(), rSettings.OpenShortcutName.Text(),
               rSettings.IconPath.Text());
  WriteImportMarker(rSettings.ImportMarkerPath.Text());
  MakeChosenShortcuts();
  OpenBook(rSettings.TargetPath.Text());
  return 1;
}
