// Starts the program of the build with options written one argument each,
// the way a starter passes them, and waits for it.
//
// POSIX hands the arguments over as they are (the program rebuilds its
// command line from them). Windows joins them into one command-line text
// with the quoting the starter uses: an argument holding whitespace, a
// quote, or "-" or "/" past its first character goes between double
// quotes (single quotes when it holds a double quote); an empty one is "".
#ifndef EXTRACTPANEL_TESTS_EXTRACTPANELRUN_H
#define EXTRACTPANEL_TESTS_EXTRACTPANELRUN_H

#include <string>
#include <utility>
#include <vector>

#include "process.h"

TProcessResult RunExtractPanel(const std::vector<std::string>& arguments,
                               const TProcessOptions& options = TProcessOptions());

// The command-line text the Windows build is given for these arguments.
std::string StarterCommandLine(const std::vector<std::string>& arguments);

// Options as (name, value) pairs, and as the arguments "-name" "value".
typedef std::vector<std::pair<std::string, std::string>> TOptions;
std::vector<std::string> ArgumentsOf(const TOptions& options);

#endif
