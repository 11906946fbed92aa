// Windows: the shell's own root test, which knows drives, shares and the
// second bytes of double-byte characters.
#include "fullpath.h"

#include "platform.h"

bool IsFullPath(const char* pPath) { return PathSkipRootA(pPath) != 0; }
