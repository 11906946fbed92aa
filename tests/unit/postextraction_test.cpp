#include <gtest/gtest.h>

#include <string>

#include "platform.h"
#include "postextractionsettings.h"
#include "registrator_after.h"

namespace {

const std::string SEP = PATH_SEPARATOR_TEXT;

// A path made of the parts joined by the platform's separator.
std::string Join(std::initializer_list<std::string> parts)
{
  std::string out;
  for (const std::string& part : parts) out += (out.empty() ? "" : SEP) + part;
  return out;
}

void Give(const char* key, const std::string& value)
{
  ASSERT_EQ(1, PostExtractionOptionCallback(key, value.c_str())) << key;
}

struct TSettingsFixture : ::testing::Test
{
  TPostExtractionRunner runner;  // resets the settings
  TPostExtractionSettings& settings = g_PostSettings;
};

using PostExtractionSettings = TSettingsFixture;
using PostExtractionDerivation = TSettingsFixture;

// A runner derives its paths from its own options only (here, without an
// install directory, none), and makes both shortcuts unless the book key
// says otherwise, whatever the runner before was given and read.
TEST_F(PostExtractionSettings, ARunnerKeepsNothingOfTheOneBefore)
{
  for (const char* key :
       {"desktopshortcutname", "openshortcutname", "importtoostrelfilename", "targetfilepath",
        "shortcuticonpath", "autorunbookid", "parametersfilepath"})
    Give(key, "old");
  Give("installdirectory", Join({"C:", "Old"}));
  DerivePostExtractionPaths();
  settings.DesktopChoice = 0;  // as the book key may leave them
  settings.StartMenuChoice = 0;

  TPostExtractionRunner again;
  Give("targetfilepath", "index.htm");
  DerivePostExtractionPaths();
  EXPECT_STREQ("index.htm", settings.TargetName.Text());
  const TPathText* paths[] = {
      &settings.DesktopShortcutName, &settings.OpenShortcutName, &settings.ImportMarkerName,
      &settings.ImportMarkerPath,    &settings.IconName,         &settings.IconPath,
      &settings.TargetPath};
  for (const TPathText* path : paths) EXPECT_STREQ("", path->Text());
  EXPECT_STREQ("", settings.BookId.Text());
  EXPECT_STREQ("", settings.InstallDirectory.Text());
  EXPECT_STREQ("", settings.ParametersFilePath.Text());
  EXPECT_EQ(1, settings.DesktopChoice);
  EXPECT_EQ(1, settings.StartMenuChoice);
}

TEST_F(PostExtractionSettings, OptionCallbackKeepsEachKeyWhateverItsCase)
{
  Give("DesktopShortcutName", "desk");
  Give("OPENSHORTCUTNAME", "open");
  Give("importtoostrelfilename", "import.7xe");
  Give("TargetFilePath", "index.htm");
  Give("shortcutIconPath", "book.ico");
  Give("AutorunBookId", "atlas");
  Give("INSTALLDIRECTORY", "C:\\Books\\Atlas");
  Give("parametersFilePath", "p.ini");
  EXPECT_STREQ("desk", settings.DesktopShortcutName.Text());
  EXPECT_STREQ("open", settings.OpenShortcutName.Text());
  EXPECT_STREQ("import.7xe", settings.ImportMarkerName.Text());
  EXPECT_STREQ("index.htm", settings.TargetName.Text());
  EXPECT_STREQ("book.ico", settings.IconName.Text());
  EXPECT_STREQ("atlas", settings.BookId.Text());
  EXPECT_STREQ("C:\\Books\\Atlas", settings.InstallDirectory.Text());
  EXPECT_STREQ("p.ini", settings.ParametersFilePath.Text());
}

TEST_F(PostExtractionSettings, OptionCallbackIgnoresOtherKeysAndTheLastValueWins)
{
  Give("mode", "2");
  Give("rtpfilename", "r.ini");
  Give("targetfilepathx", "no");
  Give("targetfilepath", "first.htm");
  Give("targetfilepath", "second.htm");
  EXPECT_STREQ("second.htm", settings.TargetName.Text());
  EXPECT_TRUE(settings.InstallDirectory.IsEmpty());
  EXPECT_TRUE(settings.ParametersFilePath.IsEmpty());
}

TEST_F(PostExtractionSettings, AnOverLongValueIsRefusedAndTheSettingKeepsItsValue)
{
  Give("openshortcutname", "kept");
  Give("openshortcutname", std::string(260, 'n'));
  EXPECT_STREQ("kept", settings.OpenShortcutName.Text());
  Give("openshortcutname", std::string(259, 'n'));
  EXPECT_EQ(259u, settings.OpenShortcutName.GetLength());

  Give("installdirectory", "kept");
  Give("installdirectory", std::string(1024, 'i'));
  EXPECT_STREQ("kept", settings.InstallDirectory.Text());
  Give("installdirectory", std::string(1023, 'i'));
  EXPECT_EQ(1023u, settings.InstallDirectory.GetLength());
}

TEST_F(PostExtractionSettings, ParametersCallbackTakesSixKeysOfTheParametersSectionOnly)
{
  const char* keys[] = {"desktopshortcutname", "openshortcutname",  "importtoostrelfilename",
                        "targetfilepath",      "shortcuticonpath",  "autorunbookid",
                        "installdirectory",    "parametersfilepath"};
  for (const char* key : keys) EXPECT_EQ(1, PostExtractionParamCallback("PaRaMeTeRs", key, "file"));
  EXPECT_EQ(1, PostExtractionParamCallback("other", "openshortcutname", "other"));
  EXPECT_EQ(1, PostExtractionParamCallback("parameters", nullptr, "none"));
  EXPECT_EQ(1, PostExtractionParamCallback(nullptr, "openshortcutname", "none"));
  EXPECT_STREQ("file", settings.DesktopShortcutName.Text());
  EXPECT_STREQ("file", settings.OpenShortcutName.Text());
  EXPECT_STREQ("file", settings.ImportMarkerName.Text());
  EXPECT_STREQ("file", settings.TargetName.Text());
  EXPECT_STREQ("file", settings.IconName.Text());
  EXPECT_STREQ("file", settings.BookId.Text());
  // The install directory and the parameters file come from the command line only.
  EXPECT_TRUE(settings.InstallDirectory.IsEmpty());
  EXPECT_TRUE(settings.ParametersFilePath.IsEmpty());
}

void GiveAtlasNames()
{
  Give("targetfilepath", "index.htm");
  Give("shortcuticonpath", "book.ico");
  Give("importtoostrelfilename", "import.7xe");
  Give("desktopshortcutname", "My Atlas");
}

TEST_F(PostExtractionDerivation,
       JoinsTheNamesToTheInstallDirectoryAndNamesTheDesktopShortcutByTheFolder)
{
  std::string install = Join({"C:", "Books", "Atlas"});
  Give("installdirectory", install);
  GiveAtlasNames();
  DerivePostExtractionPaths();
  EXPECT_EQ(install + SEP + "index.htm", settings.TargetPath.Text());
  EXPECT_EQ(install + SEP + "book.ico", settings.IconPath.Text());
  EXPECT_EQ(install + SEP + "import.7xe", settings.ImportMarkerPath.Text());
  EXPECT_STREQ("Atlas", settings.DesktopShortcutName.Text());
}

TEST_F(PostExtractionDerivation, ATrailingSeparatorIsJoinedAsItIsAndKeepsTheGivenName)
{
  std::string install = Join({"C:", "Books", "Atlas"}) + SEP;
  Give("installdirectory", install);
  GiveAtlasNames();
  DerivePostExtractionPaths();
  EXPECT_EQ(Join({"C:", "Books", "Atlas"}) + SEP + SEP + "index.htm", settings.TargetPath.Text());
  EXPECT_STREQ("My Atlas", settings.DesktopShortcutName.Text());
}

TEST_F(PostExtractionDerivation, AFolderWithoutSeparatorKeepsTheGivenName)
{
  Give("installdirectory", "Atlas");
  GiveAtlasNames();
  DerivePostExtractionPaths();
  EXPECT_EQ("Atlas" + SEP + "index.htm", settings.TargetPath.Text());
  EXPECT_STREQ("My Atlas", settings.DesktopShortcutName.Text());
}

TEST_F(PostExtractionDerivation, NoInstallDirectoryLeavesEveryPathEmpty)
{
  GiveAtlasNames();
  DerivePostExtractionPaths();
  EXPECT_TRUE(settings.TargetPath.IsEmpty());
  EXPECT_TRUE(settings.IconPath.IsEmpty());
  EXPECT_TRUE(settings.ImportMarkerPath.IsEmpty());
  EXPECT_STREQ("My Atlas", settings.DesktopShortcutName.Text());
}

TEST_F(PostExtractionDerivation, AnEmptyNameLeavesItsPathEmpty)
{
  Give("installdirectory", Join({"C:", "Books", "Atlas"}));
  Give("targetfilepath", "index.htm");
  DerivePostExtractionPaths();
  EXPECT_FALSE(settings.TargetPath.IsEmpty());
  EXPECT_TRUE(settings.IconPath.IsEmpty());
  EXPECT_TRUE(settings.ImportMarkerPath.IsEmpty());
}

TEST_F(PostExtractionDerivation, AJoinThatDoesNotFitStaysEmptyAndOneThatFitsExactlyIsKept)
{
  // 249 + 1 + 9 = 259 characters fit; one more does not.
  std::string install = Join({"C:", std::string(246, 'a')});
  ASSERT_EQ(249u, install.size());
  Give("installdirectory", install);
  Give("targetfilepath", "index.htm");
  Give("shortcuticonpath", "bookx.ico");
  Give("importtoostrelfilename", "import.7xe");
  DerivePostExtractionPaths();
  EXPECT_EQ(259u, settings.TargetPath.GetLength());
  EXPECT_EQ(259u, settings.IconPath.GetLength());
  EXPECT_TRUE(settings.ImportMarkerPath.IsEmpty());
}

TEST_F(PostExtractionDerivation, AFolderNameThatDoesNotFitTheShortcutNameKeepsTheGivenName)
{
  Give("installdirectory", Join({"C:", std::string(300, 'b')}));
  Give("desktopshortcutname", "Given");
  DerivePostExtractionPaths();
  EXPECT_STREQ("Given", settings.DesktopShortcutName.Text());
}

}  // namespace
