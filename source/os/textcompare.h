// Comparison of names without regard to the case of the letters A to Z only,
// as the program matches option keys, sections and the sentinel.
#ifndef EXTRACTPANEL_TEXTCOMPARE_H
#define EXTRACTPANEL_TEXTCOMPARE_H

// Non-zero when the two texts are equal but for the case of A to Z.
int EqualsNoCase(const char* pLeft, const char* pRight);

#endif
