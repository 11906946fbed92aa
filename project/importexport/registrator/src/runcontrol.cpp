#include "runcontrol.h"

#include "platform.h"
#include "registrator_after.h"
#include "registrator_before.h"
#include "resultfile.h"
#include "runvalues.h"
#include "settingswalk.h"

namespace {

const TSettingKey<TRunControlValues> RUN_CONTROL_KEYS[] = {
    {"mode", COMMAND_LINE_AND_FILE, &TRunControlValues::Mode},
    {"rtpfilename", COMMAND_LINE_ONLY, &TRunControlValues::RtpFileName},
    {"parametersfilepath", COMMAND_LINE_ONLY, &TRunControlValues::ParametersFilePath},
};

int RunControlOptionCallback(const char* pKey, const char* pValue)
{
  TakeSetting(RUN_CONTROL_KEYS, g_RunValues, pKey, pValue, false);
  return 1;
}

int RunControlParamCallback(const char* pSection, const char* pKey, const char* pValue)
{
  TakeFileSetting(RUN_CONTROL_KEYS, g_RunValues, pSection, pKey, pValue);
  return 1;
}

template <class TRunner>
int RunMode(const char* pCommandLine)
{
  TRunner runner;
  return runner.Run(pCommandLine);
}

}  // namespace

int ModeNumber(const char* pText)
{
  const long long LIMIT = 2147483648LL;  // one past the largest positive
  const char* p = pText;
  while (IsWhitespace(*p)) ++p;
  bool bNegative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  long long nValue = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    nValue = nValue * 10 + (*p - '0');
    if (nValue > LIMIT) nValue = LIMIT;  // stays far from overflow
  }
  if (bNegative) return static_cast<int>(-nValue);
  return static_cast<int>(nValue == LIMIT ? LIMIT - 1 : nValue);
}

TRunControl::TRunControl()
{
  g_RunValues.Mode.Clear();
  g_RunValues.ParametersFilePath.Clear();
  g_RunValues.RtpFileName.Clear();
}

int TRunControl::Run(const char* pCommandLine)
{
  switch (WalkSettings(pCommandLine, RunControlOptionCallback, g_RunValues.ParametersFilePath,
                       RunControlParamCallback)) {
    case SETTINGS_REFUSED: return 0;
    case SETTINGS_STOPPED: return 1;
    case SETTINGS_DONE: break;
  }
  if (g_RunValues.Mode.IsEmpty()) return 1;
  switch (ModeNumber(g_RunValues.Mode.Text())) {
    case 1: return RunMode<TPreExtractionRunner>(pCommandLine);
    case 2: return RunMode<TPostExtractionRunner>(pCommandLine);
    case 3: return RunMode<TEmptyRunner>(pCommandLine);
    default: return 0;
  }
}

int RunProgram(const char* pCommandLine)
{
  if (FAILED(CoInitialize(0))) return 0;
  TRunControl control;
  int nResult = control.Run(pCommandLine);
  if (!g_RunValues.RtpFileName.IsEmpty())
    WriteResultValue(g_RunValues.RtpFileName.Text(), "ExitCode", nResult ? "0" : "3");
  CoUninitialize();
  return nResult;
}
