// Windows: the options as the raw command-line text WinMain receives.
#include "programrun.h"

TProcessResult RunExtractPanel(const TOptions& options)
{
  return StartAndWaitCommandLine(ProgramUnderTest(), CommandLineOf(options));
}
