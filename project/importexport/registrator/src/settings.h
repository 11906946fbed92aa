// The process-wide values of a run, which the drivers fill and the steps
// read: the handles the entry keeps, the run-control values and the settings
// of the two modes. Each set is reset by the constructor of its owner
// (TRunControl, TPreExtractionRunner, TPostExtractionRunner).
#ifndef EXTRACTPANEL_SETTINGS_H
#define EXTRACTPANEL_SETTINGS_H

#include "fixedtext.h"
#include "platform.h"

// The handles the entry keeps for the dialog and the string resources.
extern HINSTANCE g_hInstance;
extern HMODULE g_hModule;

struct TRunControlValues
{
  TFixedText<1024> Mode;
  TFixedText<1024> ParametersFilePath;
  TFixedText<1024> RtpFileName;
};
extern TRunControlValues g_RunValues;

// Mode 1, before extraction.
struct TPreExtractionSettings
{
  TFixedText<1024> BookId;             // autorunbookid
  TFixedText<1024> UserId;             // authoruserid
  TFixedText<1024> OstrelSku;          // authorostrelsku
  TFixedText<1024> PartnerId;          // authorpartnerid
  TFixedText<1024> ParametersFilePath; // parametersfilepath
  TFixedText<1024> ChosenFolder;       // set by the dialog's accepted OK
  // Initialised, so that the global is constant: nothing runs constructors.
  int DesktopChoice = 0;
  int StartMenuChoice = 0;
};
extern TPreExtractionSettings g_PreSettings;

// Mode 2, after extraction.
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
  int DesktopChoice = 0;  // initialised, as above
  int StartMenuChoice = 0;
};
extern TPostExtractionSettings g_PostSettings;

#endif
