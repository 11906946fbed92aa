// Opening the book for real: the stand-in browser is registered as the
// .htm open command (the .htm key is put back afterwards) and OpenBook
// starts it, or hands the book to the shell when no command is found.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "filecontent.h"
#include "launchlog.h"
#include "modetwoworld.h"
#include "openbook.h"
#include "platform.h"

namespace {

const std::string SEP = PATH_SEPARATOR_TEXT;

struct ModeTwoBrowser : ::testing::Test
{
  void SetUp() override
  {
    ASSERT_TRUE(world.Ready());
    book = world.MakeFolder("Books" + SEP + "Atlas") + SEP + "index.htm";
    ASSERT_TRUE(WriteWholeFile(book, "<html></html>"));
  }

  // The browser's arguments when the open command is program + tail.
  TLaunch OpenWith(const std::string& program, const std::string& tail, const std::string& bookPath)
  {
    std::filesystem::remove(world.BrowserLog());
    EXPECT_TRUE(world.RegisterPageCommand(program + tail));
    EXPECT_EQ(1, OpenBook(bookPath.c_str())) << program + tail;
    return ParseLaunchRecord(WaitForLaunchRecord(world.BrowserLog()));
  }

  // A program standing in for the book's file, so that the shell's own
  // launch of the book can be seen.
  std::string ProgramBook()
  {
    std::string path = world.File("Books" + SEP + "Atlas" + SEP + "start.exe");
    std::filesystem::copy_file(world.FakeBrowser(), path);
    std::filesystem::permissions(path, std::filesystem::perms::owner_exec, std::filesystem::perm_options::add);
    return path;
  }

  TModeTwoWorld world;
  std::string book;
};

TEST_F(ModeTwoBrowser, TheWorkedFormsOfTheOpenCommand)
{
  const std::string quoted = "\"" + world.FakeBrowser() + "\"";
  const std::string bare = world.FakeBrowser();
  typedef std::vector<std::string> TArgs;
  EXPECT_EQ((TArgs{"-nohome", book}), OpenWith(quoted, " -nohome", book).Arguments);
  EXPECT_EQ(TArgs{book}, OpenWith(quoted, " \"%1\"", book).Arguments);
  EXPECT_EQ(TArgs{book}, OpenWith(bare, " %1", book).Arguments);
  EXPECT_EQ((TArgs{"-url", book, "-new"}), OpenWith(bare, " -url %1 -new", book).Arguments);
  EXPECT_EQ(TArgs{book}, OpenWith(bare, "", book).Arguments);
}

TEST_F(ModeTwoBrowser, TheBrowserGetsTheArgumentTextAsBuilt)
{
#ifndef _WIN32
  GTEST_SKIP() << "a POSIX program gets an argument vector, not the text";
#endif
  const std::string quoted = "\"" + world.FakeBrowser() + "\"";
  EXPECT_EQ("-url \"" + book + "\" -new", OpenWith(quoted, " -url %1 -new", book).RawArguments);
  EXPECT_EQ("-nohome \"" + book + "\"", OpenWith(quoted, " -nohome", book).RawArguments);
}

TEST_F(ModeTwoBrowser, ANetworkPathReachesTheBrowserWithItsLeadingBackslashesDoubled)
{
  TLaunch launch = OpenWith("\"" + world.FakeBrowser() + "\"", " \"%1\"", "\\\\server\\share\\Atlas\\index.htm");
  EXPECT_EQ(std::vector<std::string>{"\\\\\\\\server\\share\\Atlas\\index.htm"}, launch.Arguments);
}

TEST_F(ModeTwoBrowser, WithoutHtmTheShellOpensTheBookItself)
{
  std::string start = ProgramBook();
  DeleteRegTree(HKEY_CLASSES_ROOT, ".htm");
  ASSERT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, ".htm"));
  EXPECT_EQ(1, OpenBook(start.c_str()));
  TLaunch launch = ParseLaunchRecord(WaitForLaunchRecord(world.BrowserLog()));
  EXPECT_TRUE(launch.Arguments.empty());
  EXPECT_NE(std::string::npos, launch.Program.find("start"));
}

TEST_F(ModeTwoBrowser, AClassWithoutOpenCommandOrHtmWithoutClassFallsBackToo)
{
  std::string start = ProgramBook();
  ASSERT_TRUE(world.RegisterPageCommand(""));
  EXPECT_EQ(1, OpenBook(start.c_str()));
  TLaunch launch = ParseLaunchRecord(WaitForLaunchRecord(world.BrowserLog()));
  EXPECT_NE(std::string::npos, launch.Program.find("start"));
  EXPECT_TRUE(launch.Arguments.empty());

  std::filesystem::remove(world.BrowserLog());
  DeleteRegTree(HKEY_CLASSES_ROOT, ".htm");
  ASSERT_TRUE(WriteRegString(HKEY_CLASSES_ROOT, ".htm", "Content Type", "text/html"));
  EXPECT_EQ(1, OpenBook(start.c_str()));
  launch = ParseLaunchRecord(WaitForLaunchRecord(world.BrowserLog()));
  EXPECT_NE(std::string::npos, launch.Program.find("start"));
  EXPECT_TRUE(launch.Arguments.empty());
}

TEST_F(ModeTwoBrowser, AFailedBrowserLaunchIsNotFollowedByTheShell)
{
  std::string start = ProgramBook();
  ASSERT_TRUE(world.RegisterPageCommand(world.File("no-such-browser.exe") + " %1"));
  EXPECT_EQ(0, OpenBook(start.c_str()));
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  EXPECT_FALSE(FileExists(world.BrowserLog()));
}

TEST_F(ModeTwoBrowser, AnEmptyBookPathOpensNothing)
{
  ASSERT_TRUE(world.RegisterPageCommand("\"" + world.FakeBrowser() + "\" %1"));
  EXPECT_EQ(0, OpenBook(""));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_FALSE(FileExists(world.BrowserLog()));
}

}  // namespace
