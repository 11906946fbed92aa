// The values of the run as a whole, which every mode may read.
// Writers: the entry (the two handles); TRunControl, runcontrol.cpp (resets
// the values and fills them from the command line and the parameters file).
// Readers: run control, mode 1's hand-over and dialog (the result file's
// name), the dialog and the string resources (the module).
#ifndef EXTRACTPANEL_RUNVALUES_H
#define EXTRACTPANEL_RUNVALUES_H

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

#endif
