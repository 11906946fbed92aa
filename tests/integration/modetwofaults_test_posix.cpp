// Failures made for real through the fault seam of the POSIX layer: each
// one skips only its own work, and the run still succeeds.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "extractpanelrun.h"
#include "faults.h"
#include "filecontent.h"
#include "filetypeinstalldir.h"
#include "launchlog.h"
#include "modetwoworld.h"
#include "openbook.h"
#include "registrator_after.h"
#include "scopedenv.h"
#include "shelllinkread.h"

namespace {

struct ModeTwoFaults : ::testing::Test
{
  void SetUp() override
  {
    ASSERT_TRUE(world.Ready());
    install = world.MakeFolder("Books/Atlas");
    target = install + "/index.htm";
    ASSERT_TRUE(WriteWholeFile(target, "<html></html>"));
    ASSERT_TRUE(world.RegisterPageCommand("\"" + world.FakeBrowser() + "\" \"%1\""));
    ASSERT_TRUE(world.MakeBookKey(1, 1));
  }
  void TearDown() override { ResetFaults(); }

  int Run()
  {
    TOptions options = {{"mode", "2"},
                        {"installdirectory", install},
                        {"targetfilepath", "index.htm"},
                        {"importtoostrelfilename", "import.7xe"},
                        {"autorunbookid", world.BookId()}};
    TPostExtractionRunner runner;
    return runner.Run(StarterCommandLine(ArgumentsOf(options)).c_str());
  }

  bool Launched() { return !WaitForLaunchRecord(world.BrowserLog()).empty(); }
  bool NotLaunched()
  {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    return !FileExists(world.BrowserLog());
  }
  bool Marked() { return ReadWholeFile(install + "/import.7xe") == " "; }
  bool Recorded()
  {
    std::string value;
    return ReadRegString(HKEY_CURRENT_USER, world.BookKey(), "Install Directory", value) &&
           value == install;
  }
  std::string Open() const { return install + "/Open the Web book.lnk"; }
  std::string Desktop() const { return world.Desktop() + "/Atlas.lnk"; }
  std::string StartMenu() const { return world.Programs() + "/Ostrelbooks/Atlas.lnk"; }

  TModeTwoWorld world;
  std::string install, target;
};

TEST_F(ModeTwoFaults, ANameTakenAfterTheLookIsLeftAloneAndTheNextCounterUsed)
{
  // Another process makes the open shortcut's file between the program's
  // look at the name and its save.
  ArmFault(FAULT_NAME_TAKEN, 1, 1);
  EXPECT_EQ(1, Run());
  EXPECT_TRUE(FileExists(Open()));
  EXPECT_EQ("", ReadWholeFile(Open()));
  EXPECT_TRUE(ReadShellLink(install + "/Open the Web book (0).lnk").Loaded);
  EXPECT_TRUE(ReadShellLink(Desktop()).Loaded);
  EXPECT_TRUE(ReadShellLink(StartMenu()).Loaded);
}

TEST_F(ModeTwoFaults, FoldersThatCannotBeMadeSkipOnlyTheirShortcuts)
{
  ArmFault(FAULT_CREATE_DIRECTORY, 1, 1000);
  EXPECT_EQ(1, Run());
  EXPECT_FALSE(FileExists(world.Programs() + "/Ostrelbooks"));
  EXPECT_FALSE(FileExists(StartMenu()));
  EXPECT_TRUE(Marked());
  EXPECT_TRUE(Recorded());
  EXPECT_TRUE(Launched());
}

TEST_F(ModeTwoFaults, AFailedSaveSkipsThatShortcutOnly)
{
  ArmFault(FAULT_LINK_SAVE, 1, 1);
  EXPECT_EQ(1, Run());
  EXPECT_FALSE(FileExists(Open()));
  EXPECT_TRUE(ReadShellLink(Desktop()).Loaded);
  EXPECT_TRUE(ReadShellLink(StartMenu()).Loaded);
  EXPECT_TRUE(Marked());
  EXPECT_TRUE(Launched());
}

TEST_F(ModeTwoFaults, ARefusedClassesRootRegistersForTheUserInstead)
{
  ArmFault(FAULT_REG_CREATE_KEY, 1, 1);
  EXPECT_EQ(1, Run());
  std::string typeClass;
  EXPECT_TRUE(ReadRegString(HKEY_CURRENT_USER, "Software\\Classes\\.7xe", nullptr, typeClass));
  EXPECT_EQ("7xefile", typeClass);
  EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, "Software\\Classes\\7xefile"));
  EXPECT_TRUE(Marked());
  // The user's registration shows through HKEY_CLASSES_ROOT: the next run
  // finds it there and has nothing to write, even where it could not.
  typeClass.clear();
  EXPECT_TRUE(ReadRegString(HKEY_CLASSES_ROOT, ".7xe", nullptr, typeClass));
  EXPECT_EQ("7xefile", typeClass);
  ArmFault(FAULT_REG_CREATE_KEY, 1, 1000);
  EXPECT_EQ(1, RegisterBookFileType());
}

TEST_F(ModeTwoFaults, ARegistryThatRefusesEveryKeyStillGetsTheMarkerAndTheRest)
{
  ArmFault(FAULT_REG_CREATE_KEY, 1, 1000);
  EXPECT_EQ(1, Run());
  EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, ".7xe"));
  EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, "Software\\Classes\\.7xe"));
  EXPECT_TRUE(Marked());
  EXPECT_TRUE(ReadShellLink(Open()).Loaded);
  EXPECT_TRUE(ReadShellLink(Desktop()).Loaded);
  EXPECT_TRUE(Launched());
}

TEST_F(ModeTwoFaults, AFailedBrowserLaunchIsTheLastStepAndChangesNothingElse)
{
  ArmFault(FAULT_LAUNCH, 1, 1000);
  EXPECT_EQ(1, Run());
  EXPECT_TRUE(ReadShellLink(Open()).Loaded);
  EXPECT_TRUE(ReadShellLink(StartMenu()).Loaded);
  EXPECT_TRUE(Marked());
  EXPECT_TRUE(Recorded());
  EXPECT_TRUE(NotLaunched());
}

TEST_F(ModeTwoFaults, ADocumentGoesToTheOpenerWhenNoBrowserIsRegistered)
{
  TScopedEnvironment opener("EXTRACTPANEL_OPENER", world.FakeBrowser());
  DeleteRegistryTree(HKEY_CLASSES_ROOT, ".htm");
  EXPECT_EQ(1, Run());
  TLaunch launch = ParseLaunchRecord(WaitForLaunchRecord(world.BrowserLog()));
  EXPECT_EQ(world.FakeBrowser(), launch.Program);
  EXPECT_EQ(std::vector<std::string>{target}, launch.Arguments);
}

TEST_F(ModeTwoFaults, ARefusedDeeperFolderKeepsTheShallowerOneAndSkipsOnlyItsShortcut)
{
  // A desktop two folders deep that is not there yet. CreateDirectoryA
  // calls: the book's folder (there), Desk/Top (parent missing), Desk
  // (made), Desk/Top again (refused), then the Start-menu group.
  const std::string desk = world.File("Desk");
  TScopedEnvironment desktop("EXTRACTPANEL_DESKTOP_DIR", desk + "/Top");
  ArmFault(FAULT_CREATE_DIRECTORY, 4, 1);
  EXPECT_EQ(1, Run());
  EXPECT_TRUE(std::filesystem::is_directory(desk));
  EXPECT_FALSE(FileExists(desk + "/Top"));
  EXPECT_TRUE(ReadShellLink(Open()).Loaded);
  EXPECT_TRUE(ReadShellLink(StartMenu()).Loaded);
  EXPECT_TRUE(Marked());
  EXPECT_TRUE(Recorded());
  EXPECT_TRUE(Launched());
}

TEST_F(ModeTwoFaults, RefusedValueWritesNameNoTypeAndLoseNothing)
{
  ArmFault(FAULT_REG_SET_VALUE, 1, 1000);
  EXPECT_EQ(1, Run());
  std::string value;
  EXPECT_FALSE(ReadRegString(HKEY_CLASSES_ROOT, ".7xe", nullptr, value) && !value.empty());
  EXPECT_FALSE(ReadRegString(HKEY_CURRENT_USER, "Software\\Classes\\.7xe", nullptr, value) &&
               !value.empty());
  EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, "7xefile"));
  EXPECT_FALSE(Recorded());
  // What mode 1 left in the book key is still there.
  EXPECT_TRUE(ReadRegString(HKEY_CURRENT_USER, world.BookKey(), "UserID", value));
  EXPECT_EQ("author-1", value);
  EXPECT_TRUE(Marked());
  EXPECT_TRUE(ReadShellLink(Open()).Loaded);
  EXPECT_TRUE(ReadShellLink(Desktop()).Loaded);
  EXPECT_TRUE(Launched());
}

TEST_F(ModeTwoFaults, ABrowserLaunchTheSystemRefusesIsNotFollowedByTheShell)
{
  // The shell's opener would write to the same log, so any fallback shows.
  TScopedEnvironment opener("EXTRACTPANEL_OPENER", world.FakeBrowser());
  ArmFault(FAULT_LAUNCH, 1, 1);
  EXPECT_EQ(0, OpenBook(target.c_str()));
  EXPECT_TRUE(NotLaunched());
}

}  // namespace
