// Mode 1's writers: the referral record in the registry and the hand-over of
// the chosen folder through the result file. The registry is read back with
// the plain registry calls.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "filecontent.h"
#include "preextractionsettings.h"
#include "registrator_before.h"
#include "runvalues.h"
#include "tempfolder.h"
#include "testregistry.h"

namespace {

WORD Field(const std::string& stamp, int index)
{
  return static_cast<WORD>(static_cast<unsigned char>(stamp[2 * index]) |
                           static_cast<unsigned char>(stamp[2 * index + 1]) << 8);
}

// Year, month, day, hour, minute, second, milliseconds: comparable in order.
std::tuple<int, int, int, int, int, int, int> Moment(const SYSTEMTIME& t)
{
  return std::make_tuple(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
}

std::tuple<int, int, int, int, int, int, int> Moment(const std::string& stamp)
{
  return std::make_tuple(Field(stamp, 0), Field(stamp, 1), Field(stamp, 3), Field(stamp, 4),
                         Field(stamp, 5), Field(stamp, 6), Field(stamp, 7));
}

class ReferralRecord : public ::testing::Test
{
protected:
  void SetUp() override
  {
    TPreExtractionRunner reset;
    m_BookId = UniqueRegistryName("referraltest");
    ASSERT_TRUE(g_PreSettings.BookId.Assign(m_BookId.c_str()));
  }
  void TearDown() override
  {
    DeleteRegistryTree(HKEY_CURRENT_USER, (REFERRALS + "\\" + m_BookId).c_str());
  }

  std::string BookKey() const { return REFERRALS + "\\" + m_BookId; }
  TRegistryValue Value(const char* name) const
  {
    return ReadRegistryValue(HKEY_CURRENT_USER, BookKey(), name);
  }

  TRegistryScratch m_Registry;
  std::string m_BookId;
};

}  // namespace

TEST_F(ReferralRecord, TheFirstRecordHoldsAllSixValues)
{
  g_PreSettings.OstrelSku.Assign("SKU-7");
  g_PreSettings.PartnerId.Assign("partner 1");
  g_PreSettings.DesktopChoice = 1;
  g_PreSettings.StartMenuChoice = 0;
  SYSTEMTIME before;
  GetSystemTime(&before);
  EXPECT_EQ(1, WriteReferralRecord());
  SYSTEMTIME after;
  GetSystemTime(&after);

  TRegistryValue user = Value("UserID");
  EXPECT_TRUE(user.Found);
  EXPECT_EQ(DWORD(REG_SZ), user.Type);
  EXPECT_EQ(std::string(1, '\0'), user.Bytes);  // empty, with its NUL stored
  TRegistryValue sku = Value("OstrelSKU");
  EXPECT_EQ(DWORD(REG_SZ), sku.Type);
  EXPECT_EQ(std::string("SKU-7", 6), sku.Bytes);
  TRegistryValue partner = Value("PartnerID");
  EXPECT_EQ(DWORD(REG_SZ), partner.Type);
  EXPECT_EQ(std::string("partner 1", 10), partner.Bytes);

  TRegistryValue stamp = Value("TimeStamp");
  EXPECT_EQ(DWORD(REG_BINARY), stamp.Type);
  ASSERT_EQ(16u, stamp.Bytes.size());
  EXPECT_LE(Moment(before), Moment(stamp.Bytes));
  EXPECT_LE(Moment(stamp.Bytes), Moment(after));
  WORD dayOfWeek = Field(stamp.Bytes, 2);
  EXPECT_TRUE(dayOfWeek == before.wDayOfWeek || dayOfWeek == after.wDayOfWeek) << dayOfWeek;

  TRegistryValue desktop = Value("ShortcutOnDesktop");
  EXPECT_EQ(DWORD(REG_DWORD), desktop.Type);
  EXPECT_EQ(DwordBytes(1), desktop.Bytes);
  TRegistryValue startMenu = Value("ShortcutInWindowsStartMenu");
  EXPECT_EQ(DWORD(REG_DWORD), startMenu.Type);
  EXPECT_EQ(DwordBytes(0), startMenu.Bytes);
}

TEST_F(ReferralRecord, ALaterRecordKeepsTheTimeStampAndReplacesTheRest)
{
  g_PreSettings.UserId.Assign("author");
  g_PreSettings.OstrelSku.Assign("sku");
  WriteReferralRecord();
  const std::string earlier("\xd0\x07\x01\x00\x06\x00\x01\x00\x02\x00\x03\x00\x04\x00\x05\x00", 16);
  ASSERT_TRUE(WriteRegBytes(HKEY_CURRENT_USER, BookKey(), "TimeStamp", REG_BINARY, earlier));

  g_PreSettings.UserId.Clear();
  g_PreSettings.OstrelSku.Assign("sku2");
  g_PreSettings.DesktopChoice = 0;
  g_PreSettings.StartMenuChoice = 0;
  WriteReferralRecord();
  EXPECT_EQ(earlier, Value("TimeStamp").Bytes);
  EXPECT_EQ(std::string(1, '\0'), Value("UserID").Bytes);
  EXPECT_EQ(std::string("sku2", 5), Value("OstrelSKU").Bytes);
  EXPECT_EQ(DwordBytes(0), Value("ShortcutOnDesktop").Bytes);
  EXPECT_EQ(DwordBytes(0), Value("ShortcutInWindowsStartMenu").Bytes);
}

// Whatever reads into 512 bytes counts as recorded, whatever its type.
TEST_F(ReferralRecord, ATimeStampIsReplacedOnlyWhenItCannotBeRead)
{
  const std::string full(512, 'f');
  ASSERT_TRUE(WriteRegBytes(HKEY_CURRENT_USER, BookKey(), "TimeStamp", REG_BINARY, full));
  WriteReferralRecord();
  EXPECT_EQ(full, Value("TimeStamp").Bytes);

  ASSERT_TRUE(
      WriteRegBytes(HKEY_CURRENT_USER, BookKey(), "TimeStamp", REG_SZ, std::string("text", 5)));
  WriteReferralRecord();
  EXPECT_EQ(DWORD(REG_SZ), Value("TimeStamp").Type);

  ASSERT_TRUE(
      WriteRegBytes(HKEY_CURRENT_USER, BookKey(), "TimeStamp", REG_BINARY, std::string(513, 'o')));
  WriteReferralRecord();
  TRegistryValue stamp = Value("TimeStamp");
  EXPECT_EQ(DWORD(REG_BINARY), stamp.Type);
  EXPECT_EQ(16u, stamp.Bytes.size());
}

TEST_F(ReferralRecord, WithoutABookIdTheRegistryIsNotTouched)
{
  bool referralsBefore = RegKeyExists(HKEY_CURRENT_USER, REFERRALS);
  g_PreSettings.BookId.Clear();
  g_PreSettings.UserId.Assign("nobody");
  EXPECT_EQ(1, WriteReferralRecord());
  // An empty book key would be the Referrals key itself.
  EXPECT_FALSE(ReadRegistryValue(HKEY_CURRENT_USER, REFERRALS, "UserID").Found);
  EXPECT_EQ(referralsBefore, RegKeyExists(HKEY_CURRENT_USER, REFERRALS));
}

TEST_F(ReferralRecord, BackslashesInTheBookIdMakeNestedKeys)
{
  ASSERT_TRUE(g_PreSettings.BookId.Assign((m_BookId + "\\volume\\one").c_str()));
  g_PreSettings.UserId.Assign("nested");
  WriteReferralRecord();
  EXPECT_EQ(std::string("nested", 7),
            ReadRegistryValue(HKEY_CURRENT_USER, BookKey() + "\\volume\\one", "UserID").Bytes);
  EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, BookKey() + "\\volume"));
  EXPECT_FALSE(Value("UserID").Found);
}

// A key name with a leading backslash cannot be created below another key.
TEST_F(ReferralRecord, ABookKeyThatCannotBeCreatedIsPassedOverSilently)
{
  ASSERT_TRUE(g_PreSettings.BookId.Assign(("\\" + m_BookId).c_str()));
  g_PreSettings.UserId.Assign("lost");
  EXPECT_EQ(1, WriteReferralRecord());
  EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, BookKey()));
}

namespace {

class HandOverCustomPathTest : public ::testing::Test
{
protected:
  void SetUp() override { TPreExtractionRunner reset; }
  void TearDown() override { g_RunValues.RtpFileName.Clear(); }
  TTempFolder m_Temp;
};

}  // namespace

TEST_F(HandOverCustomPathTest, TheChosenFolderIsAddedToTheResultFile)
{
  std::string file = m_Temp.File("result.rtp");
  ASSERT_TRUE(WriteWholeFile(file, "[ADRTP]\r\nExePath=D:\\Exe\r\n"));
  ASSERT_TRUE(g_RunValues.RtpFileName.Assign(file.c_str()));
  g_PreSettings.ChosenFolder.Assign("D:\\Books\\Atlas");
  EXPECT_EQ(1, HandOverCustomPath());
  char value[64];
  GetPrivateProfileStringA("ADRTP", "CustomPath", "", value, sizeof value, file.c_str());
  EXPECT_STREQ("D:\\Books\\Atlas", value);
  GetPrivateProfileStringA("ADRTP", "ExePath", "", value, sizeof value, file.c_str());
  EXPECT_STREQ("D:\\Exe", value);
}

TEST_F(HandOverCustomPathTest, AnEmptyFolderOrNoResultFileWritesNothing)
{
  std::string file = m_Temp.File("result.rtp");
  ASSERT_TRUE(g_RunValues.RtpFileName.Assign(file.c_str()));
  EXPECT_EQ(1, HandOverCustomPath());
  EXPECT_FALSE(FileExists(file));

  g_RunValues.RtpFileName.Clear();
  g_PreSettings.ChosenFolder.Assign("D:\\Books");
  EXPECT_EQ(1, HandOverCustomPath());
  EXPECT_FALSE(FileExists(file));
}

TEST_F(HandOverCustomPathTest, AResultFileThatCannotBeWrittenIsSilent)
{
  std::string file = m_Temp.File("missing-folder") + PATH_SEPARATOR_TEXT + "result.rtp";
  ASSERT_TRUE(g_RunValues.RtpFileName.Assign(file.c_str()));
  g_PreSettings.ChosenFolder.Assign("D:\\Books");
  EXPECT_EQ(1, HandOverCustomPath());
  EXPECT_FALSE(FileExists(file));
}
