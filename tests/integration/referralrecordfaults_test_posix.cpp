// POSIX only: registry and profile failures made on purpose through the
// stand-ins' fault seam, which the real Windows calls do not have.
#include <gtest/gtest.h>

#include <string>

#include "faults.h"
#include "filecontent.h"
#include "preextractionsettings.h"
#include "registrator_before.h"
#include "runvalues.h"
#include "tempfolder.h"
#include "testregistry.h"

namespace {

class ReferralRecordFaults : public ::testing::Test
{
protected:
  void SetUp() override
  {
    TPreExtractionRunner reset;
    m_BookId = UniqueRegistryName("faulttest");
    g_PreSettings.BookId.Assign(m_BookId.c_str());
    g_PreSettings.UserId.Assign("user");
    g_PreSettings.OstrelSku.Assign("sku");
  }
  void TearDown() override
  {
    ResetFaults();
    g_RunValues.RtpFileName.Clear();
    DeleteRegistryTree(HKEY_CURRENT_USER, BookKey().c_str());
  }
  std::string BookKey() const { return REFERRALS + "\\" + m_BookId; }
  bool Stored(const char* name) const
  {
    return ReadRegistryValue(HKEY_CURRENT_USER, BookKey(), name).Found;
  }

  TRegistryScratch m_Registry;
  std::string m_BookId;
};

}  // namespace

TEST_F(ReferralRecordFaults, NoReferralsKeyMeansNoRecordAndTheHandOverStillHappens)
{
  TTempFolder temp;
  std::string file = temp.File("result.rtp");
  g_RunValues.RtpFileName.Assign(file.c_str());
  g_PreSettings.ChosenFolder.Assign("/books/atlas");
  ArmFault(FAULT_REG_CREATE_KEY, 1, 1);
  EXPECT_EQ(1, WriteReferralRecord());
  EXPECT_EQ(1, HandOverCustomPath());
  EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, BookKey()));
  EXPECT_NE(std::string::npos, ReadWholeFile(file).find("CustomPath=/books/atlas"));
}

TEST_F(ReferralRecordFaults, NoBookKeyMeansNoValues)
{
  ArmFault(FAULT_REG_CREATE_KEY, 2, 1);
  EXPECT_EQ(1, WriteReferralRecord());
  EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, BookKey()));
}

// Each value is written whatever became of the ones before it.
TEST_F(ReferralRecordFaults, AValueThatCannotBeWrittenLeavesTheOthers)
{
  ArmFault(FAULT_REG_SET_VALUE, 1, 1);
  EXPECT_EQ(1, WriteReferralRecord());
  EXPECT_FALSE(Stored("UserID"));
  for (const char* name :
       {"OstrelSKU", "PartnerID", "TimeStamp", "ShortcutOnDesktop", "ShortcutInWindowsStartMenu"})
    EXPECT_TRUE(Stored(name)) << name;

  DeleteRegistryTree(HKEY_CURRENT_USER, BookKey().c_str());
  ArmFault(FAULT_REG_SET_VALUE, 4, 1);  // the fourth write is the TimeStamp
  WriteReferralRecord();
  EXPECT_FALSE(Stored("TimeStamp"));
  EXPECT_TRUE(Stored("ShortcutOnDesktop"));
}

TEST_F(ReferralRecordFaults, AFailedHandOverIsSilent)
{
  TTempFolder temp;
  std::string file = temp.File("result.rtp");
  ASSERT_TRUE(WriteWholeFile(file, "[ADRTP]\r\nExePath=/exe\r\n"));
  g_RunValues.RtpFileName.Assign(file.c_str());
  g_PreSettings.ChosenFolder.Assign("/books/atlas");
  ArmFault(FAULT_PROFILE_WRITE, 1, 1);
  EXPECT_EQ(1, HandOverCustomPath());
  EXPECT_EQ("[ADRTP]\r\nExePath=/exe\r\n", ReadWholeFile(file));
}
