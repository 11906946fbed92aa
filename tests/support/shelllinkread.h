// Reads a shell link back: through the shell's own link object on Windows,
// through a reader of the documented file format on POSIX.
#ifndef EXTRACTPANEL_TESTS_SHELLLINKREAD_H
#define EXTRACTPANEL_TESTS_SHELLLINKREAD_H

#include <string>

struct TLinkContent
{
  bool Loaded = false;
  std::string Target;
  std::string Icon;  // empty when the link has no icon location
  int IconIndex = -1;
};

TLinkContent ReadShellLink(const std::string& path);
// The reader of the file format itself, on every platform.
TLinkContent ParseShellLinkBytes(const std::string& bytes);

#endif
