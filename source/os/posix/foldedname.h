// POSIX only: names that match without regard to the case of A to Z, as
// Windows matches registry and profile names; other bytes stay as they are.
// The fold is the program's own (textcompare.h).
#ifndef EXTRACTPANEL_FOLDEDNAME_H
#define EXTRACTPANEL_FOLDEDNAME_H

#include <string>

#include "textcompare.h"

inline std::string FoldedName(std::string text)
{
  for (char& c : text) c = FoldAZ(c);
  return text;
}

#endif
