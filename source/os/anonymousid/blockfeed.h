// The block feeding that the digests share: bytes reach a compression
// function a whole block at a time, and a partial block waits in the
// digest's own buffer for the next call.
#ifndef EXTRACTPANEL_BLOCKFEED_H
#define EXTRACTPANEL_BLOCKFEED_H

#include <stddef.h>
#include <stdint.h>
#include <string.h>

// rLength counts the bytes added so far, and pBlock (nBlock bytes) holds
// the last rLength % nBlock of them; compress(p) digests the block at p.
template <class TCompress>
void FeedBlocks(unsigned char* pBlock, size_t nBlock, uint64_t& rLength, const void* pData,
                size_t nSize, TCompress compress)
{
  const unsigned char* pBytes = static_cast<const unsigned char*>(pData);
  size_t nHeld = (size_t)(rLength % nBlock);
  rLength += nSize;
  if (nHeld != 0) {
    size_t nTake = nSize < nBlock - nHeld ? nSize : nBlock - nHeld;
    memcpy(pBlock + nHeld, pBytes, nTake);
    pBytes += nTake;
    nSize -= nTake;
    if (nHeld + nTake < nBlock) return;
    compress(pBlock);
  }
  for (; nSize >= nBlock; pBytes += nBlock, nSize -= nBlock) compress(pBytes);
  if (nSize != 0) memcpy(pBlock, pBytes, nSize);
}

#endif
