// Comparison of names without regard to the case of the letters A to Z only,
// as the program matches option keys, sections and the sentinel, and as the
// POSIX stand-ins match profile and registry names.
#ifndef EXTRACTPANEL_TEXTCOMPARE_H
#define EXTRACTPANEL_TEXTCOMPARE_H

#include <stddef.h>

// The letter in lower case when it is one of A to Z; any other byte as it is.
char FoldAZ(char c);
// Non-zero when the two texts are equal but for the case of A to Z.
int EqualsNoCase(const char* pLeft, const char* pRight);
// The same for two counted texts.
int EqualsNoCase(const char* pLeft, size_t nLeft, const char* pRight, size_t nRight);

#endif
