// POSIX: the options as an argument vector; the program puts the text back
// together.
#include "programrun.h"

TProcessResult RunExtractPanel(const TOptions& options)
{
  std::vector<std::string> arguments;
  for (const auto& option : options) {
    arguments.push_back("-" + option.first);
    arguments.push_back(option.second);
  }
  return StartAndWait(ProgramUnderTest(), arguments);
}
