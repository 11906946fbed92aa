#include "md5.h"

#include <string.h>

#include "blockfeed.h"
#include "byteorder.h"

namespace {

const size_t BLOCK_SIZE = 64;

// The integer part of 2^32 times |sin(i + 1)|, one for each step.
const uint32_t SINES[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};

inline uint32_t RotateLeft(uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

inline uint32_t F(uint32_t x, uint32_t y, uint32_t z) { return (x & y) | (~x & z); }
inline uint32_t G(uint32_t x, uint32_t y, uint32_t z) { return (x & z) | (y & ~z); }
inline uint32_t H(uint32_t x, uint32_t y, uint32_t z) { return x ^ y ^ z; }
inline uint32_t I(uint32_t x, uint32_t y, uint32_t z) { return y ^ (x | ~z); }

typedef uint32_t (*TRoundFunction)(uint32_t, uint32_t, uint32_t);

// One round of sixteen steps; word k of step i is (nFirst + nStride * i) mod 16.
template <TRoundFunction Fn>
inline void Round(uint32_t& a, uint32_t& b, uint32_t& c, uint32_t& d, const uint32_t* pWords,
                  const uint32_t* pSines, int nFirst, int nStride, const int* pShifts)
{
  for (int i = 0; i < 16; i += 4) {
    int k = nFirst + nStride * i;
    a = b + RotateLeft(a + Fn(b, c, d) + pWords[k & 15] + pSines[i], pShifts[0]);
    int k1 = (k + nStride) & 15, k2 = (k + 2 * nStride) & 15, k3 = (k + 3 * nStride) & 15;
    d = a + RotateLeft(d + Fn(a, b, c) + pWords[k1] + pSines[i + 1], pShifts[1]);
    c = d + RotateLeft(c + Fn(d, a, b) + pWords[k2] + pSines[i + 2], pShifts[2]);
    b = c + RotateLeft(b + Fn(c, d, a) + pWords[k3] + pSines[i + 3], pShifts[3]);
  }
}

void Compress(uint32_t* pState, const unsigned char* pBlock)
{
  static const int SHIFTS[4][4] = {
      {7, 12, 17, 22}, {5, 9, 14, 20}, {4, 11, 16, 23}, {6, 10, 15, 21}};
  uint32_t aWords[16];
  for (int i = 0; i < 16; ++i) aWords[i] = ReadLittleEndian32(pBlock + 4 * i);
  uint32_t a = pState[0], b = pState[1], c = pState[2], d = pState[3];
  Round<F>(a, b, c, d, aWords, SINES, 0, 1, SHIFTS[0]);
  Round<G>(a, b, c, d, aWords, SINES + 16, 1, 5, SHIFTS[1]);
  Round<H>(a, b, c, d, aWords, SINES + 32, 5, 3, SHIFTS[2]);
  Round<I>(a, b, c, d, aWords, SINES + 48, 0, 7, SHIFTS[3]);
  pState[0] += a;
  pState[1] += b;
  pState[2] += c;
  pState[3] += d;
}

}  // namespace

void TMd5::Start()
{
  m_aState[0] = 0x67452301;
  m_aState[1] = 0xefcdab89;
  m_aState[2] = 0x98badcfe;
  m_aState[3] = 0x10325476;
  m_nLength = 0;
}

void TMd5::Add(const void* pData, size_t nSize)
{
  uint32_t* pState = m_aState;
  FeedBlocks(m_aBlock, BLOCK_SIZE, m_nLength, pData, nSize,
             [pState](const unsigned char* pBlock) { Compress(pState, pBlock); });
}

void TMd5::Finish(unsigned char* pDigest)
{
  // A one bit, zeros up to 56 bytes into a block, the length in bits.
  unsigned char aTail[BLOCK_SIZE + 8] = {0x80};
  uint64_t nBits = m_nLength * 8;
  size_t nHeld = (size_t)(m_nLength % BLOCK_SIZE);
  size_t nPad = (nHeld < 56 ? 56 : 56 + BLOCK_SIZE) - nHeld;
  WriteLittleEndian(nBits, 8, aTail + nPad);
  Add(aTail, nPad + 8);
  for (int i = 0; i < 4; ++i) WriteLittleEndian(m_aState[i], 4, pDigest + 4 * i);
}

void Md5Digest(const void* pData, size_t nSize, unsigned char* pDigest)
{
  TMd5 md5;
  md5.Add(pData, nSize);
  md5.Finish(pDigest);
}
