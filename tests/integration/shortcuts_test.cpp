#include <gtest/gtest.h>

#include <string>

#include "filecontent.h"
#include "modetwoworld.h"
#include "platform.h"
#include "postextractionsettings.h"
#include "registrator_after.h"
#include "shelllinkread.h"
#include "shortcuts.h"

namespace {

const std::string SEP = PATH_SEPARATOR_TEXT;

struct TShortcutFixture : ::testing::Test
{
  void SetUp() override
  {
    ASSERT_TRUE(world.Ready());
    install = world.File("Books" + SEP + "Atlas");
    target = install + SEP + "index.htm";
    icon = install + SEP + "book.ico";
    ASSERT_TRUE(settings.InstallDirectory.Assign(install.c_str()));
    ASSERT_TRUE(settings.BookId.Assign(world.BookId().c_str()));
  }

  TModeTwoWorld world;
  TPostExtractionRunner runner;  // resets the settings
  TPostExtractionSettings& settings = g_PostSettings;
  std::string install, target, icon;
};

using ShortcutFiles = TShortcutFixture;
using ShortcutFolders = TShortcutFixture;
using ShortcutMaking = TShortcutFixture;
using ShortcutChoices = TShortcutFixture;

TEST_F(ShortcutFiles, TheFirstFreeNameCountsFromZero)
{
  std::string base = world.File("Atlas");
  TPathText file;
  ASSERT_TRUE(ReserveShortcutFile(base.c_str(), file));
  EXPECT_EQ(base + ".lnk", file.Text());
  ASSERT_TRUE(WriteWholeFile(base + ".lnk", "taken"));
  ASSERT_TRUE(ReserveShortcutFile(base.c_str(), file));
  EXPECT_EQ(base + " (0).lnk", file.Text());
  ASSERT_TRUE(WriteWholeFile(base + " (0).lnk", "taken"));
  for (int n = 1; n <= 10; ++n)
    ASSERT_TRUE(WriteWholeFile(base + " (" + std::to_string(n) + ").lnk", "taken"));
  ASSERT_TRUE(ReserveShortcutFile(base.c_str(), file));
  EXPECT_EQ(base + " (11).lnk", file.Text());
}

TEST_F(ShortcutFiles, ANameThatCannotBeOpenedForReadingIsStillTaken)
{
  std::string base = world.File("Atlas");
  world.MakeFolder("Atlas.lnk");
  TPathText file;
  ASSERT_TRUE(ReserveShortcutFile(base.c_str(), file));
  EXPECT_EQ(base + " (0).lnk", file.Text());
}

TEST_F(ShortcutFiles, ANameThatDoesNotFitIsNoName)
{
  TPathText file;
  std::string base = world.File("x");
  base += std::string(255 - base.size(), 'b');
  EXPECT_FALSE(ReserveShortcutFile((base + "b").c_str(), file));
  EXPECT_TRUE(file.IsEmpty());
  ASSERT_TRUE(ReserveShortcutFile(base.c_str(), file));
  EXPECT_EQ(base + ".lnk", file.Text());
  // Taken now by its reservation, and the counter's suffix must fit too.
  EXPECT_FALSE(ReserveShortcutFile(base.c_str(), file));
}

TEST_F(ShortcutFiles, AFreeNameIsTakenAtOnceAndOnlyAFreeOne)
{
  std::string base = world.File("Atlas");
  TPathText file;
  ASSERT_TRUE(ReserveShortcutFile(base.c_str(), file));
  EXPECT_TRUE(FileExists(base + ".lnk"));
  EXPECT_EQ("", ReadWholeFile(base + ".lnk"));
  ASSERT_TRUE(ReserveShortcutFile(base.c_str(), file));
  EXPECT_EQ(base + " (0).lnk", file.Text());
  // A free name in a folder that is not there cannot be made: no name.
  EXPECT_FALSE(ReserveShortcutFile(world.File("missing" + SEP + "Atlas").c_str(), file));
  EXPECT_TRUE(file.IsEmpty());
}

TEST_F(ShortcutFolders, EachKindHasItsFolder)
{
  TPathText folder;
  EXPECT_EQ(S_OK, GetShortcutFolder(SHORTCUT_OPEN, &folder));
  EXPECT_EQ(install, folder.Text());
  EXPECT_EQ(S_OK, GetShortcutFolder(SHORTCUT_DESKTOP, &folder));
  EXPECT_EQ(world.Desktop(), folder.Text());
  EXPECT_EQ(S_OK, GetShortcutFolder(SHORTCUT_STARTMENU, &folder));
  EXPECT_EQ(world.Programs() + SEP + "Ostrelbooks", folder.Text());
}

TEST_F(ShortcutFolders, NoFolderForUnknownKindsOrWithoutInstallDirectory)
{
  EXPECT_EQ(E_FAIL, GetShortcutFolder(SHORTCUT_OPEN, nullptr));
  TPathText folder;
  ASSERT_TRUE(folder.Assign("old"));
  EXPECT_EQ(E_FAIL, GetShortcutFolder(0, &folder));
  EXPECT_TRUE(folder.IsEmpty());
  EXPECT_EQ(E_FAIL, GetShortcutFolder(4, &folder));
  settings.InstallDirectory.Clear();
  ASSERT_TRUE(folder.Assign("old"));
  EXPECT_EQ(S_FALSE, GetShortcutFolder(SHORTCUT_OPEN, &folder));
  EXPECT_TRUE(folder.IsEmpty());
}

TEST_F(ShortcutFolders, NoDefaultNameForUnknownKinds)
{
  char name[32] = "old";
  EXPECT_EQ(E_FAIL, GetDefaultShortcutName(SHORTCUT_OPEN, nullptr, 32));
  EXPECT_EQ(E_FAIL, GetDefaultShortcutName(7, name, 32));
  EXPECT_STREQ("", name);
}

TEST_F(ShortcutMaking, TheOpenShortcutGoesIntoAFolderMadeForItWithTargetAndIcon)
{
  ASSERT_FALSE(FileExists(install));
  EXPECT_EQ(S_OK, MakeShortcut(SHORTCUT_OPEN, target.c_str(), "Open Atlas", icon.c_str()));
  TLinkContent link = ReadShellLink(install + SEP + "Open Atlas.lnk");
  ASSERT_TRUE(link.Loaded);
  EXPECT_EQ(target, link.Target);
  EXPECT_EQ(icon, link.Icon);
  EXPECT_EQ(0, link.IconIndex);
}

TEST_F(ShortcutMaking, WithoutIconTheLinkHasNoIconLocation)
{
  EXPECT_EQ(S_OK, MakeShortcut(SHORTCUT_DESKTOP, target.c_str(), "Atlas", ""));
  TLinkContent link = ReadShellLink(world.Desktop() + SEP + "Atlas.lnk");
  ASSERT_TRUE(link.Loaded);
  EXPECT_EQ("", link.Icon);
}

TEST_F(ShortcutMaking, NothingIsAttemptedWithoutTargetFolderOrFittingName)
{
  EXPECT_EQ(1, MakeShortcut(SHORTCUT_OPEN, "", "Open Atlas", icon.c_str()));
  EXPECT_FALSE(FileExists(install));

  std::string blocker = world.File("file");
  ASSERT_TRUE(WriteWholeFile(blocker, "a file, not a folder"));
  ASSERT_TRUE(settings.InstallDirectory.Assign((blocker + SEP + "Atlas").c_str()));
  EXPECT_EQ(1, MakeShortcut(SHORTCUT_OPEN, target.c_str(), "Open Atlas", icon.c_str()));

  std::string longName(260 - world.Desktop().size() - 5, 'n');
  EXPECT_EQ(1, MakeShortcut(SHORTCUT_DESKTOP, target.c_str(), longName.c_str(), icon.c_str()));
  EXPECT_FALSE(FileExists(world.Desktop() + SEP + longName + ".lnk"));
}

TEST_F(ShortcutChoices, TheChoicesAreReadOnceAndRemoved)
{
  ASSERT_TRUE(world.MakeBookKey(0, 1));
  EXPECT_EQ(1, ReadShortcutChoices());
  EXPECT_EQ(0, settings.DesktopChoice);
  EXPECT_EQ(1, settings.StartMenuChoice);
  DWORD value = 0;
  EXPECT_FALSE(ReadRegDword(HKEY_CURRENT_USER, world.BookKey(), "ShortcutOnDesktop", value));
  EXPECT_FALSE(
      ReadRegDword(HKEY_CURRENT_USER, world.BookKey(), "ShortcutInWindowsStartMenu", value));
  std::string user;
  EXPECT_TRUE(ReadRegString(HKEY_CURRENT_USER, world.BookKey(), "UserID", user));

  settings.DesktopChoice = 5;
  EXPECT_EQ(1, ReadShortcutChoices());
  EXPECT_EQ(5, settings.DesktopChoice);
}

TEST_F(ShortcutChoices, EachValueIsReadOnItsOwn)
{
  ASSERT_TRUE(world.MakeBookKey(-1, 2));
  settings.DesktopChoice = 7;
  EXPECT_EQ(1, ReadShortcutChoices());
  EXPECT_EQ(7, settings.DesktopChoice);
  EXPECT_EQ(2, settings.StartMenuChoice);
}

TEST_F(ShortcutChoices, NoBookIdentifierOrNoBookKeyLeavesTheChoices)
{
  EXPECT_EQ(1, ReadShortcutChoices());
  EXPECT_EQ(1, settings.DesktopChoice);
  EXPECT_EQ(1, settings.StartMenuChoice);
  ASSERT_TRUE(world.MakeBookKey(0, 0));
  settings.BookId.Clear();
  EXPECT_EQ(0, ReadShortcutChoices());
  EXPECT_EQ(1, settings.DesktopChoice);
  DWORD value = 9;
  EXPECT_TRUE(ReadRegDword(HKEY_CURRENT_USER, world.BookKey(), "ShortcutOnDesktop", value));
  EXPECT_EQ(0u, value);
}

}  // namespace
