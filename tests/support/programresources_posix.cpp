// POSIX only: the string table is part of the program's code.
#include "programresources.h"

void UseProgramResources() {}
