#include "settingswalk.h"

TSettingsWalk WalkSettings(const char* pCommandLine, CommandLineCallback pOption,
                           const TFixedText<1024>& rParametersFile, ParamFileCallback pParam)
{
  int nWalk = ParseCommandLine(pCommandLine, pOption);
  if (nWalk == COMMAND_LINE_REFUSED) return SETTINGS_REFUSED;
  if (nWalk == 0) return SETTINGS_STOPPED;
  if (!rParametersFile.IsEmpty() && ParseParametersFile(rParametersFile.Text(), pParam) == 0)
    return SETTINGS_STOPPED;
  return SETTINGS_DONE;
}
