// The digests added in three parts, cut where the input's last four bytes
// say, must equal the digest at once: MD5, and HAVAL at every pass count
// and length.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <string>

#include "fuzzsandbox.h"
#include "haval.h"
#include "md5.h"

namespace {

void CheckMd5(const std::string& text, size_t nFirst, size_t nSecond)
{
  unsigned char aOnce[MD5_DIGEST_SIZE], aParts[MD5_DIGEST_SIZE];
  Md5Digest(text.data(), text.size(), aOnce);
  TMd5 md5;
  md5.Add(text.data(), nFirst);
  md5.Add(text.data() + nFirst, nSecond - nFirst);
  md5.Add(text.data() + nSecond, text.size() - nSecond);
  md5.Finish(aParts);
  FUZZ_CHECK(memcmp(aOnce, aParts, sizeof aOnce) == 0);
}

void CheckHaval(int nPasses, int nBits, const std::string& text, size_t nFirst, size_t nSecond)
{
  unsigned char aOnce[HAVAL_MAX_DIGEST_SIZE], aParts[HAVAL_MAX_DIGEST_SIZE];
  size_t nSize = HavalDigest(nPasses, nBits, text.data(), text.size(), aOnce);
  FUZZ_CHECK(nSize == (size_t)nBits / 8);
  THaval haval;
  FUZZ_CHECK(haval.Start(nPasses, nBits) == 1);
  haval.Add(text.data(), nFirst);
  haval.Add(text.data() + nFirst, nSecond - nFirst);
  haval.Add(text.data() + nSecond, text.size() - nSecond);
  FUZZ_CHECK(haval.Finish(aParts) == nSize);
  FUZZ_CHECK(memcmp(aOnce, aParts, nSize) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
  FuzzedDataProvider input(pData, nSize);
  uint16_t nCutA = input.ConsumeIntegral<uint16_t>();
  uint16_t nCutB = input.ConsumeIntegral<uint16_t>();
  std::string text = input.ConsumeRemainingBytesAsString();
  size_t nFirst = nCutA % (text.size() + 1);
  size_t nSecond = nFirst + nCutB % (text.size() - nFirst + 1);
  CheckMd5(text, nFirst, nSecond);
  for (int nPasses = 3; nPasses <= 5; ++nPasses)
    for (int nBits = 128; nBits <= 256; nBits += 32)
      CheckHaval(nPasses, nBits, text, nFirst, nSecond);
  return 0;
}
