// POSIX only: names that match without regard to the case of A to Z, as
// Windows matches registry and profile names; other bytes stay as they are.
#ifndef EXTRACTPANEL_FOLDEDNAME_H
#define EXTRACTPANEL_FOLDEDNAME_H

#include <string>

inline std::string FoldedName(std::string text)
{
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return text;
}

#endif
