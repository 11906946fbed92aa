// POSIX: the program gets the arguments themselves.
#include "extractpanelrun.h"

TProcessResult RunExtractPanel(const std::vector<std::string>& arguments,
                               const TProcessOptions& options)
{
  return StartAndWait(ProgramUnderTest(), arguments, options);
}
