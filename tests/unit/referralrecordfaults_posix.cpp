// POSIX only: registry and profile failures made on purpose through the
// stand-ins' fault seam, which the real Windows calls do not have.
#include <gtest/gtest.h>

#include <string>

#include "faults.h"
#include "filecontent.h"
#include "registrator_before.h"
#include "registryvalue.h"
#include "runcontrol.h"
#include "tempfolder.h"

namespace {

const std::string REFERRALS = "Software\\Ostrel\\UserData\\Referrals";

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
    DeleteRegistryKey(HKEY_CURRENT_USER, BookKey());
  }
  std::string BookKey() const { return REFERRALS + "\\" + m_BookId; }
  LONG Read(const char* name) const
  {
    return ReadRegistryValue(HKEY_CURRENT_USER, BookKey(), name).Result;
  }

  TRegistrySandbox m_Registry;
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
  EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, BookKey()));
  EXPECT_NE(std::string::npos, ReadWholeFile(file).find("CustomPath=/books/atlas"));
}

TEST_F(ReferralRecordFaults, NoBookKeyMeansNoValues)
{
  ArmFault(FAULT_REG_CREATE_KEY, 2, 1);
  EXPECT_EQ(1, WriteReferralRecord());
  EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, BookKey()));
}

// Each value is written whatever became of the ones before it.
TEST_F(ReferralRecordFaults, AValueThatCannotBeWrittenLeavesTheOthers)
{
  ArmFault(FAULT_REG_SET_VALUE, 1, 1);
  EXPECT_EQ(1, WriteReferralRecord());
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, Read("UserID"));
  for (const char* name :
       {"OstrelSKU", "PartnerID", "TimeStamp", "ShortcutOnDesktop", "ShortcutInWindowsStartMenu"})
    EXPECT_EQ(ERROR_SUCCESS, Read(name)) << name;

  DeleteRegistryKey(HKEY_CURRENT_USER, BookKey());
  ArmFault(FAULT_REG_SET_VALUE, 4, 1);  // the fourth write is the TimeStamp
  WriteReferralRecord();
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, Read("TimeStamp"));
  EXPECT_EQ(ERROR_SUCCESS, Read("ShortcutOnDesktop"));
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
