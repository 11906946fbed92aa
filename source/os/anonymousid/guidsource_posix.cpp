// POSIX: a version-1 GUID from the time and a network card's address, as
// Windows makes its sequential ones; without a card, a version-4 GUID of
// random bytes from the system's generator.
#include "guidsource.h"

#include <errno.h>
#include <fcntl.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netpacket/packet.h>
#include <stdint.h>
#include <string.h>
#include <sys/random.h>
#include <time.h>
#include <unistd.h>

#include "byteorder.h"
#include "faults.h"

namespace {

// 100-nanosecond intervals from the Gregorian reform (15 October 1582) to
// the POSIX epoch.
const uint64_t GREGORIAN_TO_POSIX = 0x01B21DD213814000ull;

bool ReadRandom(unsigned char* pBytes, size_t nSize)
{
  size_t nDone = 0;
  while (nDone < nSize) {
    ssize_t nRead = getrandom(pBytes + nDone, nSize - nDone, 0);
    if (nRead < 0 && errno == EINTR) continue;
    if (nRead <= 0) break;
    nDone += (size_t)nRead;
  }
  if (nDone == nSize) return true;
  // Kernels before 3.17 have no getrandom.
  int hFile = open("/dev/urandom", O_RDONLY | O_CLOEXEC);
  if (hFile < 0) return false;
  bool bRead = read(hFile, pBytes, nSize) == (ssize_t)nSize;
  close(hFile);
  return bRead;
}

// The first network card's six-byte address that is not all zero.
bool FindNode(unsigned char* pNode)
{
  struct ifaddrs* pList = 0;
  if (getifaddrs(&pList) != 0) return false;
  static const unsigned char ZERO[6] = {0};
  bool bFound = false;
  for (struct ifaddrs* p = pList; p != 0 && !bFound; p = p->ifa_next) {
    if (p->ifa_addr == 0 || p->ifa_addr->sa_family != AF_PACKET) continue;
    if (p->ifa_flags & IFF_LOOPBACK) continue;
    const struct sockaddr_ll* pLink = (const struct sockaddr_ll*)p->ifa_addr;
    if (pLink->sll_halen != 6 || memcmp(pLink->sll_addr, ZERO, 6) == 0) continue;
    memcpy(pNode, pLink->sll_addr, 6);
    bFound = true;
  }
  freeifaddrs(pList);
  return bFound;
}

// The time in 100-nanosecond intervals, never the same twice in a process.
uint64_t NextTimestamp()
{
  static uint64_t s_nLast;
  struct timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  uint64_t nTime =
      (uint64_t)now.tv_sec * 10000000u + (uint64_t)now.tv_nsec / 100 + GREGORIAN_TO_POSIX;
  if (nTime <= s_nLast) nTime = s_nLast + 1;
  s_nLast = nTime;
  return nTime;
}

bool MakeTimeGuid(unsigned char* pGuid)
{
  // The clock sequence is drawn once: other processes on this computer
  // draw their own.
  static int s_nLooked;
  static unsigned char s_aNode[6];
  static unsigned char s_aSequence[2];
  if (s_nLooked == 0) s_nLooked = FindNode(s_aNode) && ReadRandom(s_aSequence, 2) ? 1 : -1;
  if (s_nLooked < 0) return false;
  uint64_t nTime = NextTimestamp();
  WriteLittleEndian(nTime, 4, pGuid);  // time_low
  WriteLittleEndian(nTime >> 32, 2, pGuid + 4);  // time_mid
  WriteLittleEndian((nTime >> 48 & 0x0FFF) | 0x1000, 2, pGuid + 6);  // version 1
  pGuid[8] = (unsigned char)((s_aSequence[0] & 0x3F) | 0x80);  // the variant
  pGuid[9] = s_aSequence[1];
  memcpy(pGuid + 10, s_aNode, 6);
  return true;
}

bool MakeRandomGuid(unsigned char* pGuid)
{
  unsigned char aBytes[GUID_SIZE];
  if (!ReadRandom(aBytes, sizeof aBytes)) return false;
  aBytes[7] = (unsigned char)((aBytes[7] & 0x0F) | 0x40);  // version 4, in Data3's high byte
  aBytes[8] = (unsigned char)((aBytes[8] & 0x3F) | 0x80);
  memcpy(pGuid, aBytes, GUID_SIZE);
  return true;
}

}  // namespace

int GetSystemGuid(unsigned char* pGuid)
{
  if (FaultHit(FAULT_GUID_SOURCE)) return 0;
  return MakeTimeGuid(pGuid) || MakeRandomGuid(pGuid) ? 1 : 0;
}
