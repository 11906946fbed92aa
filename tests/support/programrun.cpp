#include "programrun.h"

std::string CommandLineOf(const TOptions& options)
{
  std::string line;
  for (const auto& option : options) {
    if (!line.empty()) line += ' ';
    line += "-" + option.first + " \"" + option.second + "\"";
  }
  return line;
}
