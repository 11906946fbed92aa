// The program's string table, read with a text to stand in for a missing string.
#ifndef EXTRACTPANEL_RESOURCETEXT_H
#define EXTRACTPANEL_RESOURCETEXT_H

#include "fixedtext.h"
#include "platform.h"

// Loads a string of the program's table; when it is missing, pFallback cut
// to nCapacity. Returns the count of characters loaded from the table (0
// when the fallback stands in).
int LoadResourceText(UINT nId, char* pBuffer, int nCapacity, const char* pFallback = "");
template <size_t N>
int LoadResourceText(UINT nId, TFixedText<N>& rText, const char* pFallback = "")
{
  return LoadResourceText(nId, rText.Buffer(), (int)N, pFallback);
}

#endif
