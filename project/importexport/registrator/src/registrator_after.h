// Mode 2, after extraction: the post-extraction settings and the driver of
// the five registration steps.
#ifndef EXTRACTPANEL_REGISTRATOR_AFTER_H
#define EXTRACTPANEL_REGISTRATOR_AFTER_H

#include "fixedtext.h"

struct TPostExtractionSettings
{
  TPathText DesktopShortcutName;    // desktopshortcutname, or the book folder name
  TPathText OpenShortcutName;       // openshortcutname
  TPathText ImportMarkerName;       // importtoostrelfilename
  TPathText ImportMarkerPath;       // derived
  TPathText IconName;               // shortcuticonpath
  TPathText IconPath;               // derived
  TPathText TargetName;             // targetfilepath
  TPathText TargetPath;             // derived
  TFixedText<1024> BookId;          // autorunbookid
  TFixedText<1024> InstallDirectory;   // installdirectory
  TFixedText<1024> ParametersFilePath; // parametersfilepath
  int DesktopChoice = 0;  // initialised, so that the global is constant
  int StartMenuChoice = 0;
};
extern TPostExtractionSettings g_PostSettings;

class TPostExtractionRunner
{
public:
  TPostExtractionRunner();
  ~TPostExtractionRunner() {}
  // Always 1.
  int Run(const char* pCommandLine);
};

// The option callbacks of mode 2; both always return 1.
int PostExtractionOptionCallback(const char* pKey, const char* pValue);
int PostExtractionParamCallback(const char* pSection, const char* pKey, const char* pValue);
// Completes the settings: the three full paths and the desktop shortcut
// name, from the install directory.
void DerivePostExtractionPaths();

#endif
