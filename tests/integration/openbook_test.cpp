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

  // A copy of the stand-in browser at a place in the world's folder.
  std::string Plant(const std::string& relative)
  {
    std::string path = world.File(relative);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::filesystem::copy_file(world.FakeBrowser(), path);
    std::filesystem::permissions(path, std::filesystem::perms::owner_exec, std::filesystem::perm_options::add);
    return path;
  }
  // A program standing in for the book's file, so that the shell's own
  // launch of the book can be seen.
  std::string ProgramBook() { return Plant("Books" + SEP + "Atlas" + SEP + "start.exe"); }

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

// Without quotes, the browser's path may hold blanks; a program where its
// first word leads is never started.
TEST_F(ModeTwoBrowser, AnUnquotedPathWithBlanksStartsTheBrowserItself)
{
  const std::string browser = Plant("Program Files" + SEP + "Browse" + SEP + "browse.exe");
  Plant("Program.exe");
  const std::string withoutExe = browser.substr(0, browser.size() - 4);
  typedef std::vector<std::string> TArgs;
  struct { std::string program, tail; TArgs args; } rows[] = {
      {browser, " %1", {book}},
      {browser, " -url %1 -new", {"-url", book, "-new"}},
      {browser, "", {book}},
      {withoutExe, " \"%1\"", {book}},
  };
  for (const auto& row : rows) {
    TLaunch launch = OpenWith(row.program, row.tail, book);
    EXPECT_EQ(browser, launch.Program) << row.program + row.tail;
    EXPECT_EQ(row.args, launch.Arguments) << row.program + row.tail;
  }
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
  DeleteRegistryTree(HKEY_CLASSES_ROOT, ".htm");
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
  DeleteRegistryTree(HKEY_CLASSES_ROOT, ".htm");
  ASSERT_TRUE(WriteRegString(HKEY_CLASSES_ROOT, ".htm", "Content Type", "text/html"));
  EXPECT_EQ(1, OpenBook(start.c_str()));
  launch = ParseLaunchRecord(WaitForLaunchRecord(world.BrowserLog()));
  EXPECT_NE(std::string::npos, launch.Program.find("start"));
  EXPECT_TRUE(launch.Arguments.empty());
}

TEST_F(ModeTwoBrowser, AFailedBrowserLaunchIsNotFollowedByTheShell)
{
  std::string start = ProgramBook();
  // No part of the command names a file; a folder is no program either.
  world.MakeFolder("Browse");
  const std::string commands[] = {world.File("no-such-browser.exe") + " %1",
                                  world.File("Browse") + " " + world.File("x.exe") + " %1"};
  for (const std::string& command : commands) {
    ASSERT_TRUE(world.RegisterPageCommand(command));
    EXPECT_EQ(0, OpenBook(start.c_str())) << command;
  }
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
