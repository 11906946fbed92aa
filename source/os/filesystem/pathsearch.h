// Searches in path text that step over whole characters of the ANSI code
// page, so the second byte of a double-byte character is never found.
#ifndef EXTRACTPANEL_PATHSEARCH_H
#define EXTRACTPANEL_PATHSEARCH_H

#include <stddef.h>

// The first character c in the text, or null.
const char* FindPathChar(const char* pText, char c);
// The first place where the two single-byte characters of pPair stand
// together, or null.
const char* FindPathPair(const char* pText, const char* pPair);
// The first character among the first nLength bytes of the text that stands
// in pSet, a set of single-byte characters, or null.
const char* FindAnyPathChar(const char* pText, size_t nLength, const char* pSet);
// The last character c in the text, or null.
const char* FindLastPathChar(const char* pText, char c);

#endif
