// Mode 1's settings as the command-line and parameters-file walks fill them.
#include <gtest/gtest.h>

#include <string>

#include "commandline.h"
#include "extractiondialog.h"
#include "filecontent.h"
#include "paramfile.h"
#include "preextractionsettings.h"
#include "registrator_before.h"
#include "tempfolder.h"

// A runner holds only what its own walk gave, and opens the dialog with
// both boxes ticked, whatever the runner before was given and chose.
TEST(PreExtractionSettings, ARunnerKeepsNothingOfTheOneBefore)
{
  {
    TPreExtractionRunner first;
    ParseCommandLine(
        "-autorunbookid old -authoruserid old -authorostrelsku old "
        "-authorpartnerid old -parametersfilepath old.ini",
        PreExtractionOptionCallback);
    StoreDialogChoices("C:\\Old", false, false);
  }
  TPreExtractionRunner second;
  ParseCommandLine("-autorunbookid new", PreExtractionOptionCallback);
  EXPECT_STREQ("new", g_PreSettings.BookId.Text());
  const TFixedText<1024>* texts[] = {&g_PreSettings.UserId, &g_PreSettings.OstrelSku,
                                     &g_PreSettings.PartnerId, &g_PreSettings.ParametersFilePath,
                                     &g_PreSettings.ChosenFolder};
  for (const TFixedText<1024>* text : texts) EXPECT_STREQ("", text->Text());
  EXPECT_EQ(1, g_PreSettings.DesktopChoice);
  EXPECT_EQ(1, g_PreSettings.StartMenuChoice);
}

TEST(PreExtractionSettings, TheCommandLineGivesItsFiveKeysInAnyCase)
{
  TPreExtractionRunner runner;
  EXPECT_EQ(1, ParseCommandLine("-AUTORUNBOOKID atlas -AuthorUserId 'u-1' -authorostrelsku S "
                                "-authorPartnerID P -ParametersFilePath 'p.ini' -mode 1 "
                                "-rtpfilename r.rtp -other x",
                                PreExtractionOptionCallback));
  EXPECT_STREQ("atlas", g_PreSettings.BookId.Text());
  EXPECT_STREQ("u-1", g_PreSettings.UserId.Text());
  EXPECT_STREQ("S", g_PreSettings.OstrelSku.Text());
  EXPECT_STREQ("P", g_PreSettings.PartnerId.Text());
  EXPECT_STREQ("p.ini", g_PreSettings.ParametersFilePath.Text());
  EXPECT_TRUE(g_PreSettings.ChosenFolder.IsEmpty());
}

TEST(PreExtractionSettings, AValueTooLongForItsSettingIsRefused)
{
  TPreExtractionRunner runner;
  std::string longest(1023, 'a');
  EXPECT_EQ(1, PreExtractionOptionCallback("authoruserid", longest.c_str()));
  EXPECT_EQ(longest, g_PreSettings.UserId.Text());
  EXPECT_EQ(1, PreExtractionOptionCallback("authoruserid", (longest + "b").c_str()));
  EXPECT_EQ(longest, g_PreSettings.UserId.Text());
  EXPECT_EQ(1, PreExtractionParamCallback("parameters", "autorunbookid", "book"));
  EXPECT_EQ(1, PreExtractionParamCallback("parameters", "autorunbookid", (longest + "b").c_str()));
  EXPECT_STREQ("book", g_PreSettings.BookId.Text());
}

TEST(PreExtractionSettings, TheFileTakesFourKeysFromSectionParametersOnly)
{
  TPreExtractionRunner runner;
  EXPECT_EQ(1, PreExtractionParamCallback("PARAMETERS", "AuthorOstrelSku", "file-sku"));
  EXPECT_EQ(1, PreExtractionParamCallback("parameters", "parametersfilepath", "other.ini"));
  EXPECT_EQ(1, PreExtractionParamCallback("settings", "autorunbookid", "elsewhere"));
  EXPECT_EQ(1, PreExtractionParamCallback("parameters", 0, "no key"));
  EXPECT_STREQ("file-sku", g_PreSettings.OstrelSku.Text());
  EXPECT_TRUE(g_PreSettings.ParametersFilePath.IsEmpty());
  EXPECT_TRUE(g_PreSettings.BookId.IsEmpty());
}

// The file is walked after the command line, so its values win.
TEST(PreExtractionSettings, TheParametersFileReplacesTheCommandLine)
{
  TTempFolder temp;
  std::string file = temp.File("parameters.ini");
  ASSERT_TRUE(WriteWholeFile(file,
                             "[Parameters]\r\nauthorostrelsku=from-file\r\n"
                             "autorunbookid=file-book\r\n[other]\r\nauthoruserid=no\r\n"));
  TPreExtractionRunner runner;
  ParseCommandLine("-autorunbookid cmd -authorostrelsku cmd -authoruserid cmd",
                   PreExtractionOptionCallback);
  EXPECT_EQ(1, ParseParametersFile(file.c_str(), PreExtractionParamCallback));
  EXPECT_STREQ("file-book", g_PreSettings.BookId.Text());
  EXPECT_STREQ("from-file", g_PreSettings.OstrelSku.Text());
  EXPECT_STREQ("cmd", g_PreSettings.UserId.Text());
}
