// Starts a program (usually one of the build: the program itself or a tool
// built next to the test executable) and waits for its exit status.
//
// Windows: the child gets a raw command-line text, exactly as given, after
// its quoted path. POSIX: the child gets an argument vector. A vector given
// on Windows is joined into a command line with the usual quoting rules
// (the ones CommandLineToArgvW and the C runtime undo).
#ifndef EXTRACTPANEL_TESTS_PROCESS_H
#define EXTRACTPANEL_TESTS_PROCESS_H

#include <string>
#include <utility>
#include <vector>

struct TProcessOptions
{
  // Added to the test's own environment, replacing a variable of the same
  // name (on Windows the names match without regard to case).
  std::vector<std::pair<std::string, std::string>> Environment;
  // Empty: the test's own working folder.
  std::string WorkingFolder;
  // Fed to standard input; the child never reads the test's terminal.
  std::string Input;
  // The child (POSIX: its whole process group) is killed after this long.
  unsigned TimeoutMs = 60000;
};

struct TProcessResult
{
  bool Started = false;  // false: the program could not be started at all
  bool TimedOut = false;  // killed after TimeoutMs; ExitStatus is then -1
  // The exit status; POSIX: 128 + the signal number when a signal ended it.
  int ExitStatus = -1;
  std::string Output;  // standard output and standard error together
};

// The folder of the running test executable, without a trailing separator.
std::string BuildFolder();
// A program next to the test executable: "extractpanel" gives
// <build>/extractpanel on POSIX and <build>\extractpanel.exe on Windows.
std::string BuildProgram(const std::string& name);

// The program the tests start and read resources from: extractpanel of this
// build, or the executable named by EXTRACTPANEL_PROGRAM (a path as the
// tests' platform writes it), so that the same tests can be run again
// against another build of the program, such as the shipped one.
std::string ProgramUnderTest();

// Starts programPath with the arguments and waits.
TProcessResult StartAndWait(const std::string& programPath,
                            const std::vector<std::string>& arguments,
                            const TProcessOptions& options = TProcessOptions());

// Windows only (not defined on POSIX): the command line is the quoted path,
// a blank, then commandLine as it is, so the program's WinMain sees exactly
// commandLine (an empty one gives the path alone).
TProcessResult StartAndWaitCommandLine(const std::string& programPath,
                                       const std::string& commandLine,
                                       const TProcessOptions& options = TProcessOptions());

#endif
