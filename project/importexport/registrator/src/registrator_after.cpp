#include "registrator_after.h"

#include "filetypeinstalldir.h"
#include "openbook.h"
#include "pathsearch.h"
#include "platform.h"
#include "postextractionsettings.h"
#include "settingswalk.h"
#include "shortcuts.h"

namespace {

const TSettingKey<TPostExtractionSettings> POST_EXTRACTION_KEYS[] = {
    {"desktopshortcutname", COMMAND_LINE_AND_FILE, &TPostExtractionSettings::DesktopShortcutName},
    {"openshortcutname", COMMAND_LINE_AND_FILE, &TPostExtractionSettings::OpenShortcutName},
    {"importtoostrelfilename", COMMAND_LINE_AND_FILE, &TPostExtractionSettings::ImportMarkerName},
    {"targetfilepath", COMMAND_LINE_AND_FILE, &TPostExtractionSettings::TargetName},
    {"shortcuticonpath", COMMAND_LINE_AND_FILE, &TPostExtractionSettings::IconName},
    {"autorunbookid", COMMAND_LINE_AND_FILE, &TPostExtractionSettings::BookId},
    {"installdirectory", COMMAND_LINE_ONLY, &TPostExtractionSettings::InstallDirectory},
    {"parametersfilepath", COMMAND_LINE_ONLY, &TPostExtractionSettings::ParametersFilePath},
};

// rOut := install directory + separator + pName. An empty name, or a join
// that does not fit, leaves rOut empty, so the step that needs it is skipped.
void JoinToInstallDirectory(const TPathText& rName, TPathText& rOut)
{
  rOut.Clear();
  if (rName.IsEmpty()) return;
  if (!rOut.Assign(g_PostSettings.InstallDirectory.Text()) || !rOut.Append(PATH_SEPARATOR_TEXT) ||
      !rOut.Append(rName.Text()))
    rOut.Clear();
}

}  // namespace

int PostExtractionOptionCallback(const char* pKey, const char* pValue)
{
  TakeSetting(POST_EXTRACTION_KEYS, g_PostSettings, pKey, pValue, false);
  return 1;
}

int PostExtractionParamCallback(const char* pSection, const char* pKey, const char* pValue)
{
  TakeFileSetting(POST_EXTRACTION_KEYS, g_PostSettings, pSection, pKey, pValue);
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
