// POSIX: a desktop has no file classes that start programs; the caller
// opens the book its other ways.
#include "shellclass.h"

int OpenWithClass(const char*, const char*) { return 0; }
