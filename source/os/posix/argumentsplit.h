// Cutting an argument text into arguments by the rules Windows programs use
// for their command lines: blanks and tabs separate, double quotes group,
// backslashes escape only in front of a double quote, and in a run of
// double quotes every third counted one is a literal quote. Portable, no
// operating-system calls.
#ifndef EXTRACTPANEL_ARGUMENTSPLIT_H
#define EXTRACTPANEL_ARGUMENTSPLIT_H

// One MemAlloc'd block, freed with MemFree: a null-terminated array of the
// arguments followed by their texts. *pCount receives their number. Null
// when out of memory.
char** SplitArguments(const char* pText, int* pCount);

#endif
