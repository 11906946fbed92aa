// Mode 1, before extraction: the runner that reads the pre-extraction
// settings (settings.h), shows the extraction dialog, and writes the
// referral record and hands the chosen folder over.
#ifndef EXTRACTPANEL_REGISTRATOR_BEFORE_H
#define EXTRACTPANEL_REGISTRATOR_BEFORE_H

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

int WriteReferralRecord();
int HandOverCustomPath();

#endif
