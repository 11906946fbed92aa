// POSIX: one root, /.
#include "fullpath.h"

bool IsFullPath(const char* pPath) { return pPath[0] == '/'; }
