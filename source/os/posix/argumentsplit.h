// Cutting an argument text into arguments by the rules Windows programs use
// for their command lines: blanks and tabs separate, double quotes group,
// backslashes escape only in front of a double quote, and in a run of
// double quotes every third counted one is a literal quote. Portable, no
// operating-system calls. May throw std::bad_alloc.
#ifndef EXTRACTPANEL_ARGUMENTSPLIT_H
#define EXTRACTPANEL_ARGUMENTSPLIT_H

#include <string>
#include <vector>

std::vector<std::string> SplitArguments(const char* pText);

#endif
