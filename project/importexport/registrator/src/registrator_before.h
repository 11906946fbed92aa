// Mode 1, before extraction: the pre-extraction settings, the extraction
// dialog and the referral record with the hand-over of the chosen folder.
#ifndef EXTRACTPANEL_REGISTRATOR_BEFORE_H
#define EXTRACTPANEL_REGISTRATOR_BEFORE_H

#include "fixedtext.h"

struct TPreExtractionSettings
{
  TFixedText<1024> BookId;             // autorunbookid
  TFixedText<1024> UserId;             // authoruserid
  TFixedText<1024> OstrelSku;          // authorostrelsku
  TFixedText<1024> PartnerId;          // authorpartnerid
  TFixedText<1024> ParametersFilePath; // parametersfilepath
  TFixedText<1024> ChosenFolder;       // set by the dialog's accepted OK
  int DesktopChoice = 0;  // initialised, so that the global is constant
  int StartMenuChoice = 0;
};
extern TPreExtractionSettings g_PreSettings;

class TPreExtractionRunner
{
public:
  TPreExtractionRunner();
  ~TPreExtractionRunner() {}
  // 1 when the reader confirmed the dialog, else 0.
  int Run(const char* pCommandLine);
};

// The mode-1 callbacks for the command-line and parameters-file walks: they
// copy the keys of the pre-extraction settings (a value too long for its
// setting is refused, the setting keeps what it held) and always return 1.
int PreExtractionOptionCallback(const char* pKey, const char* pValue);
int PreExtractionParamCallback(const char* pSection, const char* pKey, const char* pValue);

// True only when the dialog ended with OK.
bool ShowExtractionDialog();
int WriteReferralRecord();
int HandOverCustomPath();

#endif
