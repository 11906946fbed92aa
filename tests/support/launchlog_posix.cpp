// POSIX: the record is the argument vector, one argument per line.
#include "launchlog.h"

TLaunch ParseLaunchRecord(const std::string& record)
{
  TLaunch launch;
  size_t at = 0;
  bool first = true;
  while (at < record.size()) {
    size_t end = record.find('\n', at);
    if (end == std::string::npos) end = record.size();
    std::string line = record.substr(at, end - at);
    if (first) launch.Program = line;
    else launch.Arguments.push_back(line);
    first = false;
    at = end + 1;
  }
  return launch;
}
