// MD5 (RFC 1321): the 128-bit digest of a byte string, at once or added in
// parts. The whole state lives in the object: nothing is allocated.
#ifndef EXTRACTPANEL_MD5_H
#define EXTRACTPANEL_MD5_H

#include <stddef.h>
#include <stdint.h>

const size_t MD5_DIGEST_SIZE = 16;

class TMd5
{
public:
  TMd5() { Start(); }

  // Begins a new digest; after Finish the object must be started again.
  void Start();
  void Add(const void* pData, size_t nSize);
  // Writes the MD5_DIGEST_SIZE bytes of the digest of all that was added.
  void Finish(unsigned char* pDigest);

private:
  uint32_t m_aState[4];
  uint64_t m_nLength;  // bytes added so far
  unsigned char m_aBlock[64];
};

// pDigest receives MD5_DIGEST_SIZE bytes.
void Md5Digest(const void* pData, size_t nSize, unsigned char* pDigest);

#endif
