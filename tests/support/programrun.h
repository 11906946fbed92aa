// Starts extractpanel with options given as (key, value) pairs, each value
// quoted so that separators and markers in paths stay inside it.
#ifndef EXTRACTPANEL_TESTS_PROGRAMRUN_H
#define EXTRACTPANEL_TESTS_PROGRAMRUN_H

#include <string>
#include <utility>
#include <vector>

#include "process.h"

typedef std::vector<std::pair<std::string, std::string>> TOptions;

TProcessResult RunExtractPanel(const TOptions& options);
// The same options as one command-line text, for a runner called in process.
std::string CommandLineOf(const TOptions& options);

#endif
