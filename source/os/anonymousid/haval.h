// HAVAL (Zheng, Pieprzyk and Seberry, 1992): a digest of 128, 160, 192, 224
// or 256 bits made in 3, 4 or 5 passes, at once or added in parts. Each of
// the fifteen pairs is a hash of its own: the pair is hashed in with the
// padding, and a shorter digest is folded from the whole 256-bit state, not
// cut from it. The whole state lives in the object: nothing is allocated.
#ifndef EXTRACTPANEL_HAVAL_H
#define EXTRACTPANEL_HAVAL_H

#include <stddef.h>
#include <stdint.h>

const size_t HAVAL_MAX_DIGEST_SIZE = 32;

class THaval
{
public:
  // Not started: Add and Finish do nothing until Start succeeds.
  THaval() : m_nPasses(0), m_nBits(0) {}

  // Begins a digest of nBits (128, 160, 192, 224 or 256) in nPasses (3, 4
  // or 5): 1, or 0 for any other pair, which leaves the object not started.
  int Start(int nPasses, int nBits);
  void Add(const void* pData, size_t nSize);
  // Writes the digest of all that was added, nBits / 8 bytes, and returns
  // that count (0 when not started). The object must be started again.
  size_t Finish(unsigned char* pDigest);

private:
  uint32_t m_aState[8];
  uint64_t m_nLength;  // bytes added so far
  int m_nPasses;
  int m_nBits;
  unsigned char m_aBlock[128];
};

// The same at once: the size of the digest written, 0 for a pair that is
// not HAVAL's (nothing is then written).
size_t HavalDigest(int nPasses, int nBits, const void* pData, size_t nSize, unsigned char* pDigest);

#endif
