// Mode 1's settings, before extraction.
// Writers: TPreExtractionRunner, registrator_before.cpp (resets them and
// fills them from the command line and the parameters file); the dialog's
// accepted OK, extractiondialog.cpp (the folder and the two choices).
// Readers: registrator_before.cpp (the referral record and the hand-over)
// and the dialog (the choices it opens with).
#ifndef EXTRACTPANEL_PREEXTRACTIONSETTINGS_H
#define EXTRACTPANEL_PREEXTRACTIONSETTINGS_H

#include "fixedtext.h"

struct TPreExtractionSettings
{
  TFixedText<1024> BookId;  // autorunbookid
  TFixedText<1024> UserId;  // authoruserid
  TFixedText<1024> OstrelSku;  // authorostrelsku
  TFixedText<1024> PartnerId;  // authorpartnerid
  TFixedText<1024> ParametersFilePath;  // parametersfilepath
  TFixedText<1024> ChosenFolder;  // set by the dialog's accepted OK
  // Initialised, so that the global is constant: nothing runs constructors.
  int DesktopChoice = 0;
  int StartMenuChoice = 0;
};
extern TPreExtractionSettings g_PreSettings;

#endif
