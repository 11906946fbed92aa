// Windows' own split of an argument text (CommandLineToArgvW after a program
// name), where the platform has it.
#ifndef EXTRACTPANEL_TESTS_WINDOWSSPLIT_H
#define EXTRACTPANEL_TESTS_WINDOWSSPLIT_H

#include <string>
#include <vector>

// False where there is no such function (POSIX).
bool SplitLikeThePlatform(const std::string& text, std::vector<std::string>& arguments);

#endif
