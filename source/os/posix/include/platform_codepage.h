// The ANSI code page of the POSIX layer. It is taken from the locale named
// by LC_ALL, LC_CTYPE or LANG (the first one set): a Shift-JIS, GBK, Big5
// or EUC-KR character set gives the matching double-byte code page, any
// other a single-byte one (1252).
#ifndef EXTRACTPANEL_PLATFORM_CODEPAGE_H
#define EXTRACTPANEL_PLATFORM_CODEPAGE_H

#include "platform_types.h"

UINT GetACP(void);

// For tests: makes nCodePage (932, 936, 949, 950 or 1252) the ANSI code
// page; 0 takes it from the locale again.
void SetAnsiCodePage(UINT nCodePage);

#endif
