// POSIX: one command-line text rebuilt from the program's arguments, for
// the reader that Windows feeds with the text as the starter wrote it.
#ifndef EXTRACTPANEL_ARGUMENTLINE_H
#define EXTRACTPANEL_ARGUMENTLINE_H

#include "text.h"

// Arguments joined by one blank. One that the reader would cut (whitespace,
// a quote, or a marker anywhere but at its start) goes between double
// quotes, or single quotes when it holds a double quote; an empty one
// becomes "". False when memory ran out.
bool JoinArguments(int nCount, const char* const* ppArguments, TText& rLine);

#endif
