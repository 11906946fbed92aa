// Opening the book for real: the stand-in browser is registered as the
// .htm open command (the .htm key is put back afterwards) and OpenBook
// starts it, or hands the book to the shell when no command is found.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "filecontent.h"
#include "launchlog.h"
#include "modetwoworld.h"
#include "openbook.h"
#include "pathtesting.h"
#include "platform.h"
#include "scopedenv.h"
#include "testregistry.h"

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
  std::string Plant(const std::string& relative) { return PlantAt(world.File(relative)); }
  // The same anywhere, such as in the system's folders; taken away again
  // when the test ends.
  std::string PlantAt(const std::string& path)
  {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::filesystem::copy_file(world.FakeBrowser(), path);
    std::filesystem::permissions(path, std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
    planted.push_back(path);
    return path;
  }
  void TearDown() override
  {
    std::error_code error;
    for (const std::string& path : planted) std::filesystem::remove(path, error);
  }
  // A program standing in for the book's file, so that the shell's own
  // launch of the book can be seen.
  std::string ProgramBook() { return Plant("Books" + SEP + "Atlas" + SEP + "start.exe"); }

  TModeTwoWorld world;
  std::string book;
  std::vector<std::string> planted;
};

const std::string APP_PATHS = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
const std::string LIST_SEP(1, PATH_LIST_SEPARATOR_CHAR);

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
  struct
  {
    std::string program, tail;
    TArgs args;
  } rows[] = {
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

// Since Windows 8 the reader's choice for .htm pages is a UserChoice class;
// one without an open command leaves the .htm walk as it was.
TEST_F(ModeTwoBrowser, TheReadersChosenClassComesFirst)
{
  const std::string quoted = "\"" + world.FakeBrowser() + "\"";
  typedef std::vector<std::string> TArgs;
  ASSERT_TRUE(world.ChoosePageClass(quoted + " -chosen %1"));
  EXPECT_EQ((TArgs{"-chosen", book}), OpenWith(quoted, " -walk %1", book).Arguments);
  // Without a command of its own the class goes to the shell, which finds
  // nothing to start either: the walk follows, and the quotes are its own.
  ASSERT_TRUE(world.ChoosePageClass(""));
  TLaunch walked = OpenWith(quoted, " -walk %1", book);
  EXPECT_EQ((TArgs{"-walk", book}), walked.Arguments);
#ifdef _WIN32
  EXPECT_EQ("-walk \"" + book + "\"", walked.RawArguments);
#endif
}

// A browser from the Store registers a class with no open command; only the
// shell, asked with that class and its default verb, finds what to start.
TEST_F(ModeTwoBrowser, AChosenClassWithoutOpenCommandIsStartedByTheShell)
{
#ifndef _WIN32
  GTEST_SKIP() << "a desktop has no file classes that start programs";
#endif
  const std::string quoted = "\"" + world.FakeBrowser() + "\"";
  ASSERT_TRUE(world.ChoosePageClass(quoted + " -viewed %1", "view"));
  TLaunch launch = OpenWith(quoted, " -walk %1", book);
  EXPECT_EQ((std::vector<std::string>{"-viewed", book}), launch.Arguments);
}

// Today's browsers as their installers register them, each planted at its
// own kind of path, for a book whose folder holds a blank and one whose
// folder does not. Browsers of one engine read the raw text after
// "--single-argument " as the path; the others get their arguments split.
TEST_F(ModeTwoBrowser, TodaysBrowserRegistrationsGetTheBookWhole)
{
#ifndef _WIN32
  GTEST_SKIP() << "a POSIX program gets an argument vector, not the text";
#endif
  const std::string blankBook = world.MakeFolder("My Books" + SEP + "Atlas") + SEP + "index.htm";
  ASSERT_TRUE(WriteWholeFile(blankBook, "<html></html>"));
  typedef std::vector<std::string> TArgs;
  const std::string single = " --single-argument %1";
  struct
  {
    const char* name;
    std::string program, tail;
    bool chosen, raw;
    TArgs before;
  } rows[] = {
      {"MSEdgeHTM",
       R"(Program Files (x86)\Microsoft\Edge\Application\msedge.exe)",
       single,
       true,
       true,
       {}},
      {"ChromeHTML",
       R"(Program Files\Google\Chrome\Application\chrome.exe)",
       single,
       true,
       true,
       {}},
      {"FirefoxHTML",
       R"(Program Files\Mozilla Firefox\firefox.exe)",
       " -osint -url \"%1\"",
       true,
       false,
       {"-osint", "-url"}},
      {"htmlfile", R"(Program Files\Internet Explorer\iexplore.exe)", " %1", false, false, {}},
  };
  for (const auto& row : rows) {
    const std::string program = Plant(row.program);
    const std::string quotedProgram = "\"" + program + "\"";
    ASSERT_TRUE(world.ChoosePageClass(row.chosen ? quotedProgram + row.tail : ""));
    for (const std::string& path : {book, blankBook}) {
      TLaunch launch = OpenWith(quotedProgram, row.tail, path);
      EXPECT_EQ(program, launch.Program) << row.name;
      if (row.raw) {
        EXPECT_EQ("--single-argument " + path, launch.RawArguments) << row.name;
        continue;
      }
      TArgs args = row.before;
      args.push_back(path);
      EXPECT_EQ(args, launch.Arguments) << row.name << ": " << launch.RawArguments;
    }
  }
}

// A bare name is looked for where the shell looks, less the current folder
// and the program's own (the build folder, which holds the stand-in
// browser), and the program is started by its full name. 'W' stands for
// the Windows folder, 'S' for the system folder, 'A' for a folder of App
// Paths targets and 'P' for a full folder of PATH; "%1" ends every command.
TEST_F(ModeTwoBrowser, ABareNameIsFoundOnlyWhereNoPlantedCopyCanSit)
{
  char windows[MAX_PATH] = "", system[MAX_PATH] = "";
  ASSERT_LT(GetWindowsDirectoryA(windows, MAX_PATH), (UINT)MAX_PATH);
  ASSERT_LT(GetSystemDirectoryA(system, MAX_PATH), (UINT)MAX_PATH);
  const std::string u = UniqueRegistryName("epb");
  auto place = [&](std::string text) {
    const std::pair<char, std::string> folders[] = {
        {'W', windows}, {'S', system}, {'A', world.File("Apps")}, {'P', world.File("PathDir")}};
    for (const auto& folder : folders)
      if (!text.empty() && text[0] == folder.first) text = folder.second + SEP + text.substr(1);
    return text;
  };
  for (const char* file :
       {"W#w.exe", "W#s browser.exe", "S#s.exe", "A#user.exe", "A#machine.exe", "P#p.exe"}) {
    std::string path = place(file);
    PlantAt(path.replace(path.find('#'), 1, u));
  }
  world.MakeFolder("Downloads");
  PlantAt(world.File("Downloads" + SEP + u + "c.exe"));
  TSavedRegistryKey userApps(HKEY_CURRENT_USER, APP_PATHS + u + "a.exe");
  TSavedRegistryKey userExpanded(HKEY_CURRENT_USER, APP_PATHS + u + "x.exe");
  TSavedRegistryKey machineApps(HKEY_LOCAL_MACHINE, APP_PATHS + u + "a.exe");
  TSavedRegistryKey machineOnly(HKEY_LOCAL_MACHINE, APP_PATHS + u + "m.exe");
  ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, APP_PATHS + u + "a.exe", nullptr,
                             place("A" + u + "user.exe")));
  ASSERT_TRUE(WriteRegString(HKEY_LOCAL_MACHINE, APP_PATHS + u + "a.exe", nullptr,
                             place("A" + u + "machine.exe")));
  ASSERT_TRUE(WriteRegString(HKEY_LOCAL_MACHINE, APP_PATHS + u + "m.exe", nullptr,
                             "\"" + place("A" + u + "machine.exe") + "\""));
  ASSERT_TRUE(WriteRegBytes(HKEY_CURRENT_USER, APP_PATHS + u + "x.exe", nullptr, REG_EXPAND_SZ,
                            "\"%SystemRoot%" + SEP + u + "w.exe\"" + '\0'));
  const char* pOldPath = getenv("PATH");
  TScopedEnvironment path(
      "PATH", world.File("PathDir") + LIST_SEP + "." + LIST_SEP + (pOldPath ? pOldPath : ""));
  pathtest::CurrentFolder current(world.File("Downloads"));

  struct
  {
    std::string command;
    DWORD type;
    std::string program;
  } rows[] = {
      {"#w", REG_SZ, "W#w.exe"},
      {"\"#w\"", REG_SZ, "W#w.exe"},
      {"#s", REG_SZ, "S#s.exe"},
      // The longest bare name wins, as a full path's longest part does.
      {"#s browser", REG_SZ, "W#s browser.exe"},
      {"#a", REG_SZ, "A#user.exe"},
      {"#m.exe", REG_SZ, "A#machine.exe"},
      {"#x", REG_SZ, "W#w.exe"},
      {"#p", REG_SZ, "P#p.exe"},
      {"%SystemRoot%" + SEP + "#w.exe", REG_EXPAND_SZ, "W#w.exe"},
      // Never found: only in the current folder, only in the program's own
      // folder, relative with a folder, or an unexpanded reference.
      {"#c", REG_SZ, ""},
      {"fakebrowser", REG_SZ, ""},
      {"\"fakebrowser\"", REG_SZ, ""},
      {".." + SEP + "Downloads" + SEP + "#c.exe", REG_SZ, ""},
      {"%SystemRoot%" + SEP + "#w.exe", REG_SZ, ""},
      {"#none", REG_SZ, ""},
  };
  for (auto& row : rows) {
    for (std::string* text : {&row.command, &row.program})
      for (size_t at; (at = text->find('#')) != std::string::npos;) text->replace(at, 1, u);
    const std::string program = place(row.program);
    std::filesystem::remove(world.BrowserLog());
    ASSERT_TRUE(world.RegisterPageCommand(row.command + " %1", row.type));
    EXPECT_EQ(program.empty() ? 0 : 1, OpenBook(book.c_str())) << row.command;
    if (program.empty()) continue;
    TLaunch launch = ParseLaunchRecord(WaitForLaunchRecord(world.BrowserLog()));
    EXPECT_EQ(program, launch.Program) << row.command;
    EXPECT_EQ(std::vector<std::string>{book}, launch.Arguments) << row.command;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_FALSE(FileExists(world.BrowserLog()));
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
  TLaunch launch =
      OpenWith("\"" + world.FakeBrowser() + "\"", " \"%1\"", "\\\\server\\share\\Atlas\\index.htm");
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
