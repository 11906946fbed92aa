// The extraction dialog's decisions, without a window: default folder,
// folder check, privacy notice, stored choices and centring.
#include <gtest/gtest.h>

#include <string>

#include "extractiondialog.h"
#include "faults.h"
#include "filecontent.h"
#include "pathtesting.h"
#include "preextractionsettings.h"
#include "programresources.h"
#include "registrator_before.h"
#include "stringtable.h"
#include "tempfolder.h"

namespace {

std::string ResultFileWith(const TTempFolder& folder, const std::string& lines)
{
  std::string path = folder.File("result.rtp");
  WriteWholeFile(path, "[ADRTP]\r\n" + lines);
  return path;
}

std::string DefaultFolder(const std::string& resultFile)
{
  TPathText folder;
  GetDefaultFolder(resultFile.c_str(), folder);
  return folder.Text();
}

}  // namespace

TEST(ExtractionDialogDefaultFolder, WithoutAUsableResultFileItIsDriveC)
{
  TTempFolder temp;
  EXPECT_EQ("c:\\", DefaultFolder(""));
  EXPECT_EQ("c:\\", DefaultFolder(temp.File("missing.rtp")));
  EXPECT_EQ("c:\\", DefaultFolder(ResultFileWith(temp, "ExitCode=0\r\n")));
  TPathText folder;
  GetDefaultFolder(0, folder);
  EXPECT_STREQ("c:\\", folder.Text());
}

TEST(ExtractionDialogDefaultFolder, CustomPathComesFirstThenExePath)
{
  TTempFolder temp;
  EXPECT_EQ("D:\\Custom",
            DefaultFolder(ResultFileWith(temp, "ExePath=D:\\Exe\r\nCustomPath=D:\\Custom\r\n")));
  EXPECT_EQ("D:\\Exe", DefaultFolder(ResultFileWith(temp, "CustomPath=\r\nExePath=D:\\Exe\r\n")));
  EXPECT_EQ("D:\\Exe", DefaultFolder(ResultFileWith(temp, "ExePath=D:\\Exe\r\n")));
  EXPECT_EQ("c:\\", DefaultFolder(ResultFileWith(temp, "CustomPath=\r\nExePath=\r\n")));
}

TEST(ExtractionDialogDefaultFolder, TheSentinelInAnyCaseCountsAsMissing)
{
  TTempFolder temp;
  EXPECT_EQ("D:\\Exe", DefaultFolder(ResultFileWith(
                           temp, "CustomPath=NOT_FOUND_ERROR\r\nExePath=D:\\Exe\r\n")));
  EXPECT_EQ("c:\\", DefaultFolder(ResultFileWith(
                        temp, "CustomPath=not_found_error\r\nExePath=Not_Found_Error\r\n")));
}

// 255 characters fit the first read buffer, 256 to 259 need it to grow; the
// field holds 259, so 260 and more are passed over for the next source.
TEST(ExtractionDialogDefaultFolder, LongValuesAreReadWholeOrPassedOver)
{
  TTempFolder temp;
  for (size_t length : {255u, 256u, 257u, 259u}) {
    std::string custom = "D:\\" + std::string(length - 3, 'c');
    EXPECT_EQ(custom, DefaultFolder(
                          ResultFileWith(temp, "CustomPath=" + custom + "\r\nExePath=D:\\Exe\r\n")))
        << length;
  }
  std::string tooLong = "D:\\" + std::string(257, 'c');
  EXPECT_EQ("D:\\Exe", DefaultFolder(ResultFileWith(
                           temp, "CustomPath=" + tooLong + "\r\nExePath=D:\\Exe\r\n")));
  std::string huge = "D:\\" + std::string(5000, 'e');
  EXPECT_EQ("c:\\", DefaultFolder(ResultFileWith(
                        temp, "CustomPath=" + tooLong + "\r\nExePath=" + huge + "\r\n")));
}

TEST(ExtractionDialogDefaultFolder, ASourceThatIsNotUsedLeavesTheFieldAlone)
{
  TTempFolder temp;
  std::string file =
      ResultFileWith(temp, "CustomPath=\r\nExePath=" + std::string(300, 'x') + "\r\n");
  TPathText folder;
  ASSERT_TRUE(folder.Assign("kept"));
  EXPECT_EQ(0, ReadFolderSource(file.c_str(), "CustomPath", folder));
  EXPECT_EQ(0, ReadFolderSource(file.c_str(), "ExePath", folder));
  EXPECT_EQ(0, ReadFolderSource(file.c_str(), "Missing", folder));
  EXPECT_STREQ("kept", folder.Text());
}

TEST(ExtractionDialogDefaultFolder, NoMemoryForTheReadMeansNoValue)
{
  TTempFolder temp;
  std::string file = ResultFileWith(temp, "CustomPath=D:\\Custom\r\n");
  ArmFault(FAULT_ALLOCATION, 1, 1000);
  std::string folder = DefaultFolder(file);
  ResetFaults();
  EXPECT_EQ("c:\\", folder);
}

TEST(ExtractionDialogFolderCheck, NothingThereIsTakenSomethingThereIsAskedAbout)
{
  TTempFolder temp;
  std::string existingFolder = temp.MakeFolder("there");
  std::string existingFile = temp.File("file.txt");
  ASSERT_TRUE(WriteWholeFile(existingFile, "x"));
  EXPECT_EQ(FOLDER_ACCEPT, JudgeFolder(temp.File("new").c_str()));
  EXPECT_EQ(FOLDER_ACCEPT, JudgeFolder(temp.File("new/deeper").c_str()));
  EXPECT_EQ(FOLDER_ASK, JudgeFolder(existingFolder.c_str()));
  EXPECT_EQ(FOLDER_ASK, JudgeFolder(existingFile.c_str()));
  std::string longest = temp.File("n");
  longest.resize(259, 'n');
  EXPECT_EQ(FOLDER_ACCEPT, JudgeFolder(longest.c_str()));
}

// A text longer than the 259 bytes of the field would only be taken cut, as
// another folder.
TEST(ExtractionDialogFolderCheck, InvalidTextsAreRefusedEvenWhenTheyWouldNotExist)
{
  TTempFolder temp;
  std::string tooLong = temp.File("n");
  tooLong.resize(260, 'n');
  for (std::string text : {"C:\\Books\\a*b", "C:\\Books\\a?b", "C:\\Books\\a|b", "Books<x",
                           "C:\\Books\\\\New", "C:\\Books//New", "\\Books", "1:\\Books",
                           "C:\\Books\\a:b", "http://example", tooLong.c_str()})
    EXPECT_EQ(FOLDER_INVALID, JudgeFolder(text.c_str())) << text;
}

// A relative text is looked up from the current folder; the empty text names
// nothing and is taken without a question. A share is never looked up: on
// POSIX a file whose name is the share's text would be found if it were
// (Windows refuses that name, and the row only checks the verdict there).
TEST(ExtractionDialogFolderCheck, RelativeTextsAreLookedUpInTheCurrentFolderSharesNowhere)
{
  TTempFolder temp;
  temp.MakeFolder("Books");
  const char share[] = "\\\\server\\books\\Atlas";
  WriteWholeFile(temp.File(share), "x");
  TFolderVerdict existing, missing, empty, shared;
  {
    pathtest::CurrentFolder here(temp.Path());
    existing = JudgeFolder("Books");
    missing = JudgeFolder("Other");
    empty = JudgeFolder("");
    shared = JudgeFolder(share);
  }
  EXPECT_EQ(FOLDER_ASK, existing);
  EXPECT_EQ(FOLDER_ACCEPT, missing);
  EXPECT_EQ(FOLDER_ACCEPT, empty);
  EXPECT_EQ(FOLDER_ACCEPT, shared);
}

TEST(ExtractionDialogNotice, BothHalvesOrNothing)
{
  TNoticeText notice;
  JoinPrivacyNotice("first\r\n", "second", notice);
  EXPECT_STREQ("first\r\nsecond", notice.Text());
  JoinPrivacyNotice("", "second", notice);
  EXPECT_STREQ("", notice.Text());
  ASSERT_TRUE(notice.Assign("old"));
  JoinPrivacyNotice("first", "", notice);
  EXPECT_STREQ("", notice.Text());
}

TEST(ExtractionDialogNotice, TheLoadedNoticeIsTheFirstHalfThenTheSecondOnANewLine)
{
  UseProgramResources();
  TNoticeText notice;
  LoadPrivacyNotice(notice);
  std::string text = notice.Text();
  EXPECT_EQ(std::string(IDS_PRIVACY_FIRST_TEXT) + IDS_PRIVACY_SECOND_TEXT, text);
  size_t join = std::string(IDS_PRIVACY_FIRST_TEXT).size();
  ASSERT_GT(join, 2u);
  EXPECT_EQ("readers.\r\nTherefore,", text.substr(join - 10, 20));
}

TEST(ExtractionDialogChoices, AnAcceptedOkStoresTheFolderAndBothBoxes)
{
  TPreExtractionRunner runner;
  EXPECT_EQ(1, g_PreSettings.DesktopChoice);
  EXPECT_EQ(1, g_PreSettings.StartMenuChoice);
  EXPECT_TRUE(g_PreSettings.ChosenFolder.IsEmpty());
  StoreDialogChoices("D:\\Books", false, true);
  EXPECT_STREQ("D:\\Books", g_PreSettings.ChosenFolder.Text());
  EXPECT_EQ(0, g_PreSettings.DesktopChoice);
  EXPECT_EQ(1, g_PreSettings.StartMenuChoice);
  StoreDialogChoices("", false, false);
  EXPECT_STREQ("", g_PreSettings.ChosenFolder.Text());
  EXPECT_EQ(0, g_PreSettings.StartMenuChoice);
}

namespace {

struct TCentred
{
  int x;
  int y;
};

TCentred Centre(long left, long top, long right, long bottom, int screenWidth, int screenHeight)
{
  TCentred result = {12345, 12345};
  CenterPosition(left, top, right, bottom, screenWidth, screenHeight, result.x, result.y);
  return result;
}

}  // namespace

TEST(ExtractionDialogCenter, HalvesTheSpaceLeftAndIgnoresWhereTheWindowWas)
{
  TCentred c = Centre(0, 0, 600, 400, 1024, 768);
  EXPECT_EQ(212, c.x);
  EXPECT_EQ(184, c.y);
  c = Centre(300, 500, 901, 901, 1024, 768);  // 601 x 401 from elsewhere
  EXPECT_EQ(211, c.x);
  EXPECT_EQ(183, c.y);
}

TEST(ExtractionDialogCenter, ALargerDialogGoesToNegativeCoordinatesRoundedDown)
{
  TCentred c = Centre(0, 0, 1100, 800, 1024, 768);
  EXPECT_EQ(-38, c.x);
  EXPECT_EQ(-16, c.y);
  c = Centre(0, 0, 1101, 801, 1024, 768);  // -77 / 2 and -33 / 2, towards minus infinity
  EXPECT_EQ(-39, c.x);
  EXPECT_EQ(-17, c.y);
}

TEST(ExtractionDialogCenter, SizesAndPositionsWrapToSixteenBits)
{
  // 65636 wide is 100 in 16 bits; 40000 is -25536.
  TCentred c = Centre(0, 0, 65636, 40000, 1024, 768);
  EXPECT_EQ(462, c.x);
  EXPECT_EQ(13152, c.y);
  // (70000 - 0) / 2 = 35000 does not fit: it wraps to -30536.
  c = Centre(0, 0, 0, 0, 70000, 768);
  EXPECT_EQ(-30536, c.x);
  EXPECT_EQ(384, c.y);
}
