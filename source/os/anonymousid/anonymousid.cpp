#include "anonymousid.h"

#include "guidsource.h"
#include "haval.h"
#include "md5.h"

void AnonymousIdFromGuid(const unsigned char* pGuid, char* pId)
{
  static const char DIGITS[] = "0123456789abcdef";
  unsigned char aMd5[MD5_DIGEST_SIZE];
  Md5Digest(pGuid, GUID_SIZE, aMd5);
  unsigned char aHaval[HAVAL_MAX_DIGEST_SIZE];
  HavalDigest(5, 256, aMd5, sizeof aMd5, aHaval);
  for (size_t i = 0; i < sizeof aHaval; ++i) {
    pId[2 * i] = DIGITS[aHaval[i] >> 4];
    pId[2 * i + 1] = DIGITS[aHaval[i] & 15];
  }
  pId[ANONYMOUS_ID_LENGTH] = 0;
}

int MakeAnonymousId(char* pId, size_t nCapacity)
{
  unsigned char aGuid[GUID_SIZE];
  if (nCapacity < ANONYMOUS_ID_LENGTH + 1 || !GetSystemGuid(aGuid)) return 0;
  AnonymousIdFromGuid(aGuid, pId);
  return 1;
}
