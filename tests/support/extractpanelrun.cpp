#include "extractpanelrun.h"

namespace {

bool NeedsQuotes(const std::string& argument)
{
  if (argument.empty()) return true;
  for (size_t i = 0; i < argument.size(); ++i) {
    char c = argument[i];
    if (c == ' ' || (c >= '\t' && c <= '\r') || c == '"' || c == '\'') return true;
    if ((c == '-' || c == '/') && i > 0) return true;
  }
  return false;
}

}  // namespace

std::string StarterCommandLine(const std::vector<std::string>& arguments)
{
  std::string line;
  for (const std::string& argument : arguments) {
    if (!line.empty()) line += ' ';
    if (!NeedsQuotes(argument)) {
      line += argument;
      continue;
    }
    char quote = argument.find('"') == std::string::npos ? '"' : '\'';
    line += quote + argument + quote;
  }
  return line;
}

std::vector<std::string> ArgumentsOf(const TOptions& options)
{
  std::vector<std::string> arguments;
  for (const auto& option : options) {
    arguments.push_back("-" + option.first);
    arguments.push_back(option.second);
  }
  return arguments;
}
