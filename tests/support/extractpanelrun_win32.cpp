// Windows: the program gets one command-line text, quoted as a starter does.
#include "extractpanelrun.h"

TProcessResult RunExtractPanel(const std::vector<std::string>& arguments,
                               const TProcessOptions& options)
{
  return StartAndWaitCommandLine(ProgramUnderTest(), StarterCommandLine(arguments), options);
}
