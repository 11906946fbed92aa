// POSIX: no command lines to split; the tests rely on their own tables.
#include "windowssplit.h"

bool SplitLikeThePlatform(const std::string&, std::vector<std::string>&) { return false; }
