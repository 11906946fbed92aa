// Comparison of names without regard to the case of the letters A to Z only,
// as the program matches option keys, sections and the sentinel, and as the
// POSIX stand-ins match profile and registry names (foldedname.h).
#ifndef EXTRACTPANEL_TEXTCOMPARE_H
#define EXTRACTPANEL_TEXTCOMPARE_H

// The letter in lower case when it is one of A to Z; any other byte as it is.
inline char FoldAZ(char c) { return (c >= 'A' && c <= 'Z') ? (char)(c - 'A' + 'a') : c; }

// Non-zero when the two texts are equal but for the case of A to Z.
int EqualsNoCase(const char* pLeft, const char* pRight);

#endif
