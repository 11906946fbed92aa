#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <set>
#include <string>

#include "anonymousid.h"
#include "haval.h"
#include "md5.h"

namespace {

bool IsLowerHex(const std::string& text)
{
  return text.find_first_not_of("0123456789abcdef") == std::string::npos;
}

TEST(AnonymousId, SixtyFourLowerCaseHexDigitsInAnExactBuffer)
{
  char aId[ANONYMOUS_ID_LENGTH + 2];
  memset(aId, 'X', sizeof aId);
  ASSERT_EQ(1, MakeAnonymousId(aId, ANONYMOUS_ID_LENGTH + 1));
  EXPECT_EQ(0, aId[ANONYMOUS_ID_LENGTH]);
  EXPECT_EQ('X', aId[ANONYMOUS_ID_LENGTH + 1]);
  EXPECT_EQ(ANONYMOUS_ID_LENGTH, strlen(aId));
  EXPECT_TRUE(IsLowerHex(aId)) << aId;
}

TEST(AnonymousId, TenThousandWithoutARepeat)
{
  std::set<std::string> seen;
  char aId[ANONYMOUS_ID_LENGTH + 1];
  for (int i = 0; i < 10000; ++i) {
    ASSERT_EQ(1, MakeAnonymousId(aId, sizeof aId));
    ASSERT_TRUE(seen.insert(aId).second) << "repeated after " << i << " calls: " << aId;
  }
}

TEST(AnonymousId, BufferTooSmallIsLeftAsItWas)
{
  char aId[ANONYMOUS_ID_LENGTH + 1];
  memset(aId, 'X', sizeof aId);
  EXPECT_EQ(0, MakeAnonymousId(aId, ANONYMOUS_ID_LENGTH));
  EXPECT_EQ(0, MakeAnonymousId(aId, 0));
  EXPECT_EQ(std::string(sizeof aId, 'X'), std::string(aId, sizeof aId));
}

// The GUID goes through MD5 first, then HAVAL-256/5, and each byte of that
// comes out high half first.
TEST(AnonymousId, GuidThroughMd5ThenHaval)
{
  const unsigned char GUID[16] = {0x10, 0x32, 0x54, 0x76, 0x98, 0xba, 0xdc, 0xfe,
                                  0x80, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07};
  unsigned char aMd5[MD5_DIGEST_SIZE];
  Md5Digest(GUID, sizeof GUID, aMd5);
  unsigned char aHaval[HAVAL_MAX_DIGEST_SIZE];
  ASSERT_EQ(32u, HavalDigest(5, 256, aMd5, sizeof aMd5, aHaval));
  char aExpected[ANONYMOUS_ID_LENGTH + 1];
  for (int i = 0; i < 32; ++i) snprintf(aExpected + 2 * i, 3, "%02x", aHaval[i]);

  char aId[ANONYMOUS_ID_LENGTH + 1];
  AnonymousIdFromGuid(GUID, aId);
  EXPECT_STREQ(aExpected, aId);
}

}  // namespace
