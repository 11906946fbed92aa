// Mode 2's settings, after extraction.
// Writers: TPostExtractionRunner, registrator_after.cpp (resets them, fills
// them from the command line and the parameters file, derives the paths);
// shortcuts.cpp (the two choices, read back from the book key).
// Readers: the steps of mode 2: registrator_after.cpp, shortcuts.cpp and
// filetypeinstalldir.cpp.
#ifndef EXTRACTPANEL_POSTEXTRACTIONSETTINGS_H
#define EXTRACTPANEL_POSTEXTRACTIONSETTINGS_H

#include "fixedtext.h"

struct TPostExtractionSettings
{
  TPathText DesktopShortcutName;  // desktopshortcutname, or the book folder name
  TPathText OpenShortcutName;  // openshortcutname
  TPathText ImportMarkerName;  // importtoostrelfilename
  TPathText ImportMarkerPath;  // derived
  TPathText IconName;  // shortcuticonpath
  TPathText IconPath;  // derived
  TPathText TargetName;  // targetfilepath
  TPathText TargetPath;  // derived
  TFixedText<1024> BookId;  // autorunbookid
  TFixedText<1024> InstallDirectory;  // installdirectory
  TFixedText<1024> ParametersFilePath;  // parametersfilepath
  // Initialised, so that the global is constant: nothing runs constructors.
  int DesktopChoice = 0;
  int StartMenuChoice = 0;
};
extern TPostExtractionSettings g_PostSettings;

#endif
