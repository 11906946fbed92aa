// The C library routines that the Windows exe, which links no C library,
// still needs: those the compiler calls for copies and fills, and those the
// program calls. cruntime_win32.cpp gives them their C names there. Written
// plainly, a byte at a time: the program's texts and buffers are small.
#ifndef EXTRACTPANEL_BYTES_H
#define EXTRACTPANEL_BYTES_H

#include <stddef.h>

// memmove, and memcpy too: the ranges may overlap. Returns pTo.
void* MoveBytes(void* pTo, const void* pFrom, size_t nBytes);
// memset: nValue as an unsigned char. Returns pTo.
void* FillBytes(void* pTo, int nValue, size_t nBytes);
// memcmp: the first differing bytes, as unsigned chars, decide the sign.
int CompareBytes(const void* pA, const void* pB, size_t nBytes);
// strlen.
size_t TextLength(const char* pText);
// strnlen: stops looking after nLimit characters.
size_t TextLengthWithin(const char* pText, size_t nLimit);
// strstr: the first place pWanted starts in pText; pText for an empty one.
const char* FindText(const char* pText, const char* pWanted);

#endif
