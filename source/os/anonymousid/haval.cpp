#include "haval.h"

#include <string.h>

#include "blockfeed.h"
#include "byteorder.h"

namespace {

const size_t BLOCK_SIZE = 128;
const int VERSION = 1;

// The first eight words of the fraction of pi, and the next 128 are the
// constants of passes 2 to 5, 32 each.
const uint32_t INITIAL[8] = {0x243F6A88, 0x85A308D3, 0x13198A2E, 0x03707344,
                             0xA4093822, 0x299F31D0, 0x082EFA98, 0xEC4E6C89};
const uint32_t CONSTANTS[128] = {
    0x452821E6, 0x38D01377, 0xBE5466CF, 0x34E90C6C, 0xC0AC29B7, 0xC97C50DD, 0x3F84D5B5, 0xB5470917,
    0x9216D5D9, 0x8979FB1B, 0xD1310BA6, 0x98DFB5AC, 0x2FFD72DB, 0xD01ADFB7, 0xB8E1AFED, 0x6A267E96,
    0xBA7C9045, 0xF12C7F99, 0x24A19947, 0xB3916CF7, 0x0801F2E2, 0x858EFC16, 0x636920D8, 0x71574E69,
    0xA458FEA3, 0xF4933D7E, 0x0D95748F, 0x728EB658, 0x718BCD58, 0x82154AEE, 0x7B54A41D, 0xC25A59B5,
    0x9C30D539, 0x2AF26013, 0xC5D1B023, 0x286085F0, 0xCA417918, 0xB8DB38EF, 0x8E79DCB0, 0x603A180E,
    0x6C9E0E8B, 0xB01E8A3E, 0xD71577C1, 0xBD314B27, 0x78AF2FDA, 0x55605C60, 0xE65525F3, 0xAA55AB94,
    0x57489862, 0x63E81440, 0x55CA396A, 0x2AAB10B6, 0xB4CC5C34, 0x1141E8CE, 0xA15486AF, 0x7C72E993,
    0xB3EE1411, 0x636FBC2A, 0x2BA9C55D, 0x741831F6, 0xCE5C3E16, 0x9B87931E, 0xAFD6BA33, 0x6C24CF5C,
    0x7A325381, 0x28958677, 0x3B8F4898, 0x6B4BB9AF, 0xC4BFE81B, 0x66282193, 0x61D809CC, 0xFB21A991,
    0x487CAC60, 0x5DEC8032, 0xEF845D5D, 0xE98575B1, 0xDC262302, 0xEB651B88, 0x23893E81, 0xD396ACC5,
    0x0F6D6FF3, 0x83F44239, 0x2E0B4482, 0xA4842004, 0x69C8F04A, 0x9E1F9B5E, 0x21C66842, 0xF6E96C9A,
    0x670C9C61, 0xABD388F0, 0x6A51A0D2, 0xD8542F68, 0x960FA728, 0xAB5133A3, 0x6EEF0B6C, 0x137A3BE4,
    0xBA3BF050, 0x7EFB2A98, 0xA1F1651D, 0x39AF0176, 0x66CA593E, 0x82430E88, 0x8CEE8619, 0x456F9FB4,
    0x7D84A5C3, 0x3B8B5EBE, 0xE06F75D8, 0x85C12073, 0x401A449F, 0x56C16AA6, 0x4ED3AA62, 0x363F7706,
    0x1BFEDF72, 0x429B023D, 0x37D0D724, 0xD00A1248, 0xDB0FEAD3, 0x49F1C09B, 0x075372C9, 0x80991B7B,
    0x25D479D8, 0xF6E8DEF7, 0xE3FE501A, 0xB6794C3B, 0x976CE0BD, 0x04C006BA, 0xC1A94FB6, 0x409F60C4};

// The order in which each pass reads the 32 words of a block.
const unsigned char ORDERS[5][32] = {
    {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15,
     16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31},
    {5,  14, 26, 18, 11, 28, 7,  16, 0,  23, 20, 22, 1, 10, 4,  8,
     30, 3,  21, 9,  17, 24, 29, 6,  19, 12, 15, 13, 2, 25, 31, 27},
    {19, 9,  4, 20, 28, 17, 8,  22, 29, 14, 25, 12, 24, 30, 16, 26,
     31, 15, 7, 3,  1,  0,  18, 27, 13, 6,  21, 10, 23, 11, 5,  2},
    {24, 4,  0,  14, 2, 7,  28, 23, 26, 6,  30, 20, 18, 25, 19, 3,
     22, 11, 31, 21, 8, 27, 12, 9,  1,  29, 5,  15, 17, 10, 16, 13},
    {27, 3, 21, 26, 17, 11, 20, 29, 19, 0,  12, 7,  13, 8, 31, 10,
     5,  9, 14, 30, 18, 6,  28, 24, 2,  23, 16, 22, 4,  1, 25, 15}};

inline uint32_t RotateRight(uint32_t x, int n) { return (x >> n) | (x << (32 - n)); }

// The five Boolean functions, f(x6, ..., x0), each a sum of products.
inline uint32_t F1(uint32_t x6, uint32_t x5, uint32_t x4, uint32_t x3, uint32_t x2, uint32_t x1,
                   uint32_t x0)
{
  return (x1 & (x0 ^ x4)) ^ (x2 & x5) ^ (x3 & x6) ^ x0;
}

inline uint32_t F2(uint32_t x6, uint32_t x5, uint32_t x4, uint32_t x3, uint32_t x2, uint32_t x1,
                   uint32_t x0)
{
  return (x2 & ((x1 & ~x3) ^ (x4 & x5) ^ x6 ^ x0)) ^ (x4 & (x1 ^ x5)) ^ (x3 & x5) ^ x0;
}

inline uint32_t F3(uint32_t x6, uint32_t x5, uint32_t x4, uint32_t x3, uint32_t x2, uint32_t x1,
                   uint32_t x0)
{
  return (x3 & ((x1 & x2) ^ x6 ^ x0)) ^ (x1 & x4) ^ (x2 & x5) ^ x0;
}

inline uint32_t F4(uint32_t x6, uint32_t x5, uint32_t x4, uint32_t x3, uint32_t x2, uint32_t x1,
                   uint32_t x0)
{
  return (x4 & ((x5 & ~x2) ^ (x3 & ~x6) ^ x1 ^ x6 ^ x0)) ^ (x3 & ((x1 & x2) ^ x5 ^ x6)) ^
         (x2 & x6) ^ x0;
}

inline uint32_t F5(uint32_t x6, uint32_t x5, uint32_t x4, uint32_t x3, uint32_t x2, uint32_t x1,
                   uint32_t x0)
{
  return (x0 & ((x1 & x2 & x3) ^ ~x5)) ^ (x1 & x4) ^ (x2 & x5) ^ (x3 & x6);
}

// Pass p of n passes applies its function to the inputs permuted by
// phi(n, p): the arguments below are that permutation.
#define HAVAL_PHI(name, f, a6, a5, a4, a3, a2, a1, a0)                                  \
  inline uint32_t name(uint32_t x6, uint32_t x5, uint32_t x4, uint32_t x3, uint32_t x2, \
                       uint32_t x1, uint32_t x0)                                        \
  {                                                                                     \
    return f(a6, a5, a4, a3, a2, a1, a0);                                               \
  }
HAVAL_PHI(Phi31, F1, x1, x0, x3, x5, x6, x2, x4)
HAVAL_PHI(Phi32, F2, x4, x2, x1, x0, x5, x3, x6)
HAVAL_PHI(Phi33, F3, x6, x1, x2, x3, x4, x5, x0)
HAVAL_PHI(Phi41, F1, x2, x6, x1, x4, x5, x3, x0)
HAVAL_PHI(Phi42, F2, x3, x5, x2, x0, x1, x6, x4)
HAVAL_PHI(Phi43, F3, x1, x4, x3, x6, x0, x2, x5)
HAVAL_PHI(Phi44, F4, x6, x4, x0, x5, x2, x1, x3)
HAVAL_PHI(Phi51, F1, x3, x4, x1, x0, x5, x2, x6)
HAVAL_PHI(Phi52, F2, x6, x2, x1, x0, x3, x4, x5)
HAVAL_PHI(Phi53, F3, x2, x6, x0, x4, x3, x1, x5)
HAVAL_PHI(Phi54, F4, x1, x5, x3, x2, x0, x4, x6)
HAVAL_PHI(Phi55, F5, x2, x5, x0, x6, x4, x3, x1)
#undef HAVAL_PHI

typedef uint32_t (*TPhi)(uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t);

template <TPhi Phi>
inline void Step(uint32_t& x7, uint32_t x6, uint32_t x5, uint32_t x4, uint32_t x3, uint32_t x2,
                 uint32_t x1, uint32_t x0, uint32_t nInput)
{
  x7 = RotateRight(Phi(x6, x5, x4, x3, x2, x1, x0), 7) + RotateRight(x7, 11) + nInput;
}

// One pass of 32 steps, pass number nPass counting from 0; each step
// replaces the next word of t, going down.
template <TPhi Phi>
inline void Pass(uint32_t* t, const uint32_t* pWords, int nPass)
{
  const unsigned char* pOrder = ORDERS[nPass];
  auto Input = [&](int i) {
    return pWords[pOrder[i]] + (nPass == 0 ? 0 : CONSTANTS[32 * (nPass - 1) + i]);
  };
  for (int i = 0; i < 32; i += 8) {
    Step<Phi>(t[7], t[6], t[5], t[4], t[3], t[2], t[1], t[0], Input(i));
    Step<Phi>(t[6], t[5], t[4], t[3], t[2], t[1], t[0], t[7], Input(i + 1));
    Step<Phi>(t[5], t[4], t[3], t[2], t[1], t[0], t[7], t[6], Input(i + 2));
    Step<Phi>(t[4], t[3], t[2], t[1], t[0], t[7], t[6], t[5], Input(i + 3));
    Step<Phi>(t[3], t[2], t[1], t[0], t[7], t[6], t[5], t[4], Input(i + 4));
    Step<Phi>(t[2], t[1], t[0], t[7], t[6], t[5], t[4], t[3], Input(i + 5));
    Step<Phi>(t[1], t[0], t[7], t[6], t[5], t[4], t[3], t[2], Input(i + 6));
    Step<Phi>(t[0], t[7], t[6], t[5], t[4], t[3], t[2], t[1], Input(i + 7));
  }
}

void Compress(uint32_t* pState, int nPasses, const unsigned char* pBlock)
{
  uint32_t aWords[32];
  for (int i = 0; i < 32; ++i) aWords[i] = ReadLittleEndian32(pBlock + 4 * i);
  uint32_t t[8];
  memcpy(t, pState, sizeof t);
  if (nPasses == 3) {
    Pass<Phi31>(t, aWords, 0);
    Pass<Phi32>(t, aWords, 1);
    Pass<Phi33>(t, aWords, 2);
  } else if (nPasses == 4) {
    Pass<Phi41>(t, aWords, 0);
    Pass<Phi42>(t, aWords, 1);
    Pass<Phi43>(t, aWords, 2);
    Pass<Phi44>(t, aWords, 3);
  } else {
    Pass<Phi51>(t, aWords, 0);
    Pass<Phi52>(t, aWords, 1);
    Pass<Phi53>(t, aWords, 2);
    Pass<Phi54>(t, aWords, 3);
    Pass<Phi55>(t, aWords, 4);
  }
  for (int i = 0; i < 8; ++i) pState[i] += t[i];
}

// Bits nFirst to nFirst + nCount - 1 of x, left in place.
inline uint32_t Bits(uint32_t x, int nFirst, int nCount)
{
  return x & (((1u << nCount) - 1) << nFirst);
}

// A digest shorter than 256 bits takes into its words pieces of the state
// words it leaves out: those of D4 to D7 for 128 bits, D5 to D7 for 160,
// D6 and D7 for 192 and D7 for 224.
void Fold(uint32_t* d, int nBits)
{
  if (nBits == 128) {
    d[0] +=
        RotateRight(Bits(d[7], 0, 8) | Bits(d[6], 24, 8) | Bits(d[5], 16, 8) | Bits(d[4], 8, 8), 8);
    d[1] += RotateRight(Bits(d[7], 8, 8) | Bits(d[6], 0, 8) | Bits(d[5], 24, 8) | Bits(d[4], 16, 8),
                        16);
    d[2] += RotateRight(Bits(d[7], 16, 8) | Bits(d[6], 8, 8) | Bits(d[5], 0, 8) | Bits(d[4], 24, 8),
                        24);
    d[3] += Bits(d[7], 24, 8) | Bits(d[6], 16, 8) | Bits(d[5], 8, 8) | Bits(d[4], 0, 8);
  } else if (nBits == 160) {
    d[0] += RotateRight(Bits(d[7], 0, 6) | Bits(d[6], 25, 7) | Bits(d[5], 19, 6), 19);
    d[1] += RotateRight(Bits(d[7], 6, 6) | Bits(d[6], 0, 6) | Bits(d[5], 25, 7), 25);
    d[2] += Bits(d[7], 12, 7) | Bits(d[6], 6, 6) | Bits(d[5], 0, 6);
    d[3] += (Bits(d[7], 19, 6) | Bits(d[6], 12, 7) | Bits(d[5], 6, 6)) >> 6;
    d[4] += (Bits(d[7], 25, 7) | Bits(d[6], 19, 6) | Bits(d[5], 12, 7)) >> 12;
  } else if (nBits == 192) {
    d[0] += RotateRight(Bits(d[7], 0, 5) | Bits(d[6], 26, 6), 26);
    d[1] += Bits(d[7], 5, 5) | Bits(d[6], 0, 5);
    d[2] += (Bits(d[7], 10, 6) | Bits(d[6], 5, 5)) >> 5;
    d[3] += (Bits(d[7], 16, 5) | Bits(d[6], 10, 6)) >> 10;
    d[4] += (Bits(d[7], 21, 5) | Bits(d[6], 16, 5)) >> 16;
    d[5] += (Bits(d[7], 26, 6) | Bits(d[6], 21, 5)) >> 21;
  } else if (nBits == 224) {
    d[0] += Bits(d[7], 27, 5) >> 27;
    d[1] += Bits(d[7], 22, 5) >> 22;
    d[2] += Bits(d[7], 18, 4) >> 18;
    d[3] += Bits(d[7], 13, 5) >> 13;
    d[4] += Bits(d[7], 9, 4) >> 9;
    d[5] += Bits(d[7], 4, 5) >> 4;
    d[6] += Bits(d[7], 0, 4);
  }
}

}  // namespace

int THaval::Start(int nPasses, int nBits)
{
  bool bValid = nPasses >= 3 && nPasses <= 5 && nBits >= 128 && nBits <= 256 && nBits % 32 == 0;
  m_nPasses = bValid ? nPasses : 0;
  m_nBits = bValid ? nBits : 0;
  memcpy(m_aState, INITIAL, sizeof m_aState);
  m_nLength = 0;
  return bValid ? 1 : 0;
}

void THaval::Add(const void* pData, size_t nSize)
{
  if (m_nPasses == 0) return;
  uint32_t* pState = m_aState;
  int nPasses = m_nPasses;
  FeedBlocks(m_aBlock, BLOCK_SIZE, m_nLength, pData, nSize,
             [pState, nPasses](const unsigned char* pBlock) { Compress(pState, nPasses, pBlock); });
}

size_t THaval::Finish(unsigned char* pDigest)
{
  if (m_nPasses == 0) return 0;
  // A one bit (the lowest of its byte), zeros up to 118 bytes into a block,
  // then the version, the passes and the length of the digest, and the
  // length of the text in bits.
  unsigned char aTail[BLOCK_SIZE + 10] = {0x01};
  uint64_t nBits = m_nLength * 8;
  size_t nHeld = (size_t)(m_nLength % BLOCK_SIZE);
  size_t nPad = (nHeld < 118 ? 118 : 118 + BLOCK_SIZE) - nHeld;
  aTail[nPad] = (unsigned char)((m_nBits & 3) << 6 | m_nPasses << 3 | VERSION);
  aTail[nPad + 1] = (unsigned char)(m_nBits >> 2);
  WriteLittleEndian(nBits, 8, aTail + nPad + 2);
  Add(aTail, nPad + 10);
  Fold(m_aState, m_nBits);
  size_t nSize = (size_t)m_nBits / 8;
  for (size_t i = 0; i < nSize / 4; ++i) WriteLittleEndian(m_aState[i], 4, pDigest + 4 * i);
  m_nPasses = 0;
  m_nBits = 0;
  return nSize;
}

size_t HavalDigest(int nPasses, int nBits, const void* pData, size_t nSize, unsigned char* pDigest)
{
  THaval haval;
  if (!haval.Start(nPasses, nBits)) return 0;
  haval.Add(pData, nSize);
  return haval.Finish(pDigest);
}
