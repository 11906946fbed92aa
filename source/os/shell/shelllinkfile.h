// The bytes of a shell-link (.lnk) file in the documented binary format: a
// link to a local path, with an optional icon location at index 0. Pure
// bytes, no operating-system calls, so every build can write and check them.
#ifndef EXTRACTPANEL_SHELLLINKFILE_H
#define EXTRACTPANEL_SHELLLINKFILE_H

#include <stddef.h>
#include <stdint.h>

// Enough for a MAX_PATH target and a MAX_PATH icon location.
const size_t SHELL_LINK_MAX_BYTES = 2048;

// Link flags of the header.
const uint32_t LINK_HAS_LINK_INFO = 0x02;
const uint32_t LINK_HAS_ICON_LOCATION = 0x40;
const uint32_t LINK_IS_UNICODE = 0x80;

// Writes the link into pOut. pTarget is the target path in the ANSI code
// page; pIcon the icon location in UTF-16, nIconChars long (0: no icon).
// Returns the number of bytes written, 0 when the target or the icon is
// longer than MAX_PATH - 1 characters or the bytes do not fit nCapacity.
size_t BuildShellLinkBytes(const char* pTarget, const uint16_t* pIcon, size_t nIconChars,
                           unsigned char* pOut, size_t nCapacity);

#endif
