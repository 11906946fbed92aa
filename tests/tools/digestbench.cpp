// Prints the throughput of the digests over a buffer of some hundred
// megabytes (the number of megabytes may be given): MD5, and HAVAL-256 in
// 3, 4 and 5 passes. Built with optimisation whatever the preset; the time
// is the process's processor time, so that other work on a busy machine
// counts less.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "haval.h"
#include "md5.h"

namespace {

const size_t CHUNK = 1 << 20;

template <class TAddAll>
void Report(const char* pName, double nMegabytes, TAddAll addAll)
{
  std::clock_t start = std::clock();
  unsigned char nCheck = addAll();
  double seconds = (double)(std::clock() - start) / CLOCKS_PER_SEC;
  std::printf("  %-14s %8.1f MB/s  (%.0f MB in %.2f s, %02x)\n", pName, nMegabytes / seconds,
              nMegabytes, seconds, nCheck);
}

}  // namespace

int main(int argc, char** argv)
{
  int nChunks = argc > 1 ? std::atoi(argv[1]) : 256;
  if (nChunks <= 0) return 1;
  std::vector<unsigned char> chunk(CHUNK);
  for (size_t i = 0; i < CHUNK; ++i) chunk[i] = (unsigned char)(i * 2654435761u >> 24);
  Report("MD5", nChunks, [&] {
    TMd5 md5;
    for (int i = 0; i < nChunks; ++i) md5.Add(chunk.data(), CHUNK);
    unsigned char aDigest[MD5_DIGEST_SIZE];
    md5.Finish(aDigest);
    return aDigest[0];
  });
  for (int nPasses = 3; nPasses <= 5; ++nPasses) {
    char aName[32];
    std::snprintf(aName, sizeof aName, "HAVAL-256/%d", nPasses);
    Report(aName, nChunks, [&] {
      THaval haval;
      haval.Start(nPasses, 256);
      for (int i = 0; i < nChunks; ++i) haval.Add(chunk.data(), CHUNK);
      unsigned char aDigest[HAVAL_MAX_DIGEST_SIZE];
      haval.Finish(aDigest);
      return aDigest[0];
    });
  }
  return 0;
}
