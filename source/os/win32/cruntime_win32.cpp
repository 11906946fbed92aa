// Windows only, linked into the program exe alone: the C library names under
// which the compiler and the program call the routines of bytes.cpp. Built
// outside the link-time optimisation, so that calls the compiler makes up
// late (a structure copy becomes memcpy) still find these names.
#include <stddef.h>

#include "bytes.h"

extern "C" {

void* memcpy(void* pTo, const void* pFrom, size_t nBytes) { return MoveBytes(pTo, pFrom, nBytes); }
void* memmove(void* pTo, const void* pFrom, size_t nBytes) { return MoveBytes(pTo, pFrom, nBytes); }
void* memset(void* pTo, int nValue, size_t nBytes) { return FillBytes(pTo, nValue, nBytes); }
int memcmp(const void* pA, const void* pB, size_t nBytes) { return CompareBytes(pA, pB, nBytes); }
size_t strlen(const char* pText) { return TextLength(pText); }
size_t strnlen(const char* pText, size_t nLimit) { return TextLengthWithin(pText, nLimit); }
char* strstr(const char* pText, const char* pWanted)
{
  return const_cast<char*>(FindText(pText, pWanted));
}
}
