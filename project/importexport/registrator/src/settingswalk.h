// The walk every runner makes to read its settings: the command line, then
// the parameters file that the command line named.
#ifndef EXTRACTPANEL_SETTINGSWALK_H
#define EXTRACTPANEL_SETTINGSWALK_H

#include "commandline.h"
#include "fixedtext.h"
#include "paramfile.h"

enum TSettingsWalk
{
  SETTINGS_DONE,     // both sources read to their end
  SETTINGS_STOPPED,  // a callback, a value read as missing or a failed buffer stopped a walk
  SETTINGS_REFUSED   // the command line was too long to be read at all
};

// The parameters file is read only when rParametersFile holds a path once
// the command line has been walked (its callback is what fills it). Inline:
// each runner makes the walk once, and a call of its own would only add to
// the shipped program.
inline TSettingsWalk WalkSettings(const char* pCommandLine, CommandLineCallback pOption,
                                  const TFixedText<1024>& rParametersFile,
                                  ParamFileCallback pParam)
{
  int nWalk = ParseCommandLine(pCommandLine, pOption);
  if (nWalk == COMMAND_LINE_REFUSED) return SETTINGS_REFUSED;
  if (nWalk == 0) return SETTINGS_STOPPED;
  if (!rParametersFile.IsEmpty() && ParseParametersFile(rParametersFile.Text(), pParam) == 0)
    return SETTINGS_STOPPED;
  return SETTINGS_DONE;
}

#endif
