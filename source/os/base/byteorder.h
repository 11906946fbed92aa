// Little-endian numbers in byte strings, as the digests and the binary
// formats the program writes keep them, whatever the processor's own order.
#ifndef EXTRACTPANEL_BYTEORDER_H
#define EXTRACTPANEL_BYTEORDER_H

#include <stdint.h>

inline uint32_t ReadLittleEndian32(const unsigned char* p)
{
  return (uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24;
}

// The low nBytes bytes of x, the lowest first.
inline void WriteLittleEndian(uint64_t x, int nBytes, unsigned char* p)
{
  for (int i = 0; i < nBytes; ++i) p[i] = (unsigned char)(x >> (8 * i));
}

#endif
