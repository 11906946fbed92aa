// What the stand-in browser (tests/tools/fakebrowser) recorded of its
// launches: Windows, its raw command line; POSIX, its arguments one per line.
#ifndef EXTRACTPANEL_TESTS_LAUNCHLOG_H
#define EXTRACTPANEL_TESTS_LAUNCHLOG_H

#include <string>
#include <vector>

// Waits until the log holds a record, at most timeoutMs; "" when none came.
std::string WaitForLaunchRecord(const std::string& logPath, unsigned timeoutMs = 30000);

struct TLaunch
{
  std::string Program;  // as the launched program sees argv[0]
  std::vector<std::string> Arguments;  // the rest, as the C runtime splits them
  std::string RawArguments;  // Windows only: the text after the program
};

// The first launch of the log's content.
TLaunch ParseLaunchRecord(const std::string& record);

#endif
