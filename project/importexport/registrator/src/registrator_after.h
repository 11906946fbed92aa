// Mode 2, after extraction: the driver of the five registration steps, which
// reads and completes the post-extraction settings (settings.h).
#ifndef EXTRACTPANEL_REGISTRATOR_AFTER_H
#define EXTRACTPANEL_REGISTRATOR_AFTER_H

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
