// POSIX: links are read by the reader of the file format.
#include "shelllinkread.h"

#include "filecontent.h"

TLinkContent ReadShellLink(const std::string& path)
{
  std::string bytes;
  if (!ReadWholeFile(path, bytes)) return TLinkContent();
  return ParseShellLinkBytes(bytes);
}
