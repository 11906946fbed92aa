// POSIX only: a system that gives no GUID, through the fault point of the
// POSIX GUID source.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "anonymousid.h"
#include "faults.h"

namespace {

class AnonymousIdWithoutGuid : public ::testing::Test
{
protected:
  void TearDown() override { ResetFaults(); }
};

TEST_F(AnonymousIdWithoutGuid, FailsAndWritesNothing)
{
  char aId[ANONYMOUS_ID_LENGTH + 1];
  memset(aId, 'X', sizeof aId);
  ArmFault(FAULT_GUID_SOURCE, 2, 1);
  ASSERT_EQ(1, MakeAnonymousId(aId, sizeof aId));
  const std::string first(aId);
  EXPECT_EQ(0, MakeAnonymousId(aId, sizeof aId));
  EXPECT_EQ(first, aId);
  // The next call has a GUID again.
  EXPECT_EQ(1, MakeAnonymousId(aId, sizeof aId));
  EXPECT_NE(first, aId);
}

}  // namespace
