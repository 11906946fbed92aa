// The path object's root, trailing backslash and command-line split, and
// the character searches under them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "filecontent.h"
#include "pathsearch.h"
#include "platform.h"
#include "tempfolder.h"
#include "tpath.h"

namespace {

TEST(PathRoot, RootOfEachForm)
{
  struct TRow
  {
    const char* pPath;
    const char* pRoot;
  };
  const TRow aRows[] = {
      {"C:\\Books\\New", "C:\\"},
      {"C:\\", "C:\\"},
      {"c:\\x", "c:\\"},
      {"C:", "C:"},
      {"C:Books", "C:Books"},
      {"C:Books\\New", "C:Books\\New"},
      {"C:/Books", "C:/Books"},
      {"\\\\server", "\\\\server"},
      {"\\\\server\\share", "\\\\server\\share"},
      {"\\\\server\\share\\", "\\\\server\\share\\"},
      {"\\\\server\\share\\Books\\New", "\\\\server\\share\\"},
      {"\\\\server\\share\\\\x", "\\\\server\\share\\"},
      {"\\\\", "\\\\"},
  };
  for (const TRow& row : aRows) {
    TText path;
    ASSERT_TRUE(path.Assign(row.pPath));
    TText root;
    ASSERT_TRUE(root.Assign("old"));
    EXPECT_EQ(1, TPath(path).GetRoot(root)) << row.pPath;
    EXPECT_STREQ(row.pRoot, root.Text()) << row.pPath;
    EXPECT_STREQ(row.pPath, path.Text());
  }
}

TEST(PathRoot, NoRootLeavesTheReceiverAlone)
{
  const char* const aPaths[] = {"", "Books", "Books\\New", "/usr/books", "\\Books", "\\", "\\x\\y"};
  for (const char* pPath : aPaths) {
    TText path;
    ASSERT_TRUE(path.Assign(pPath));
    TText root;
    ASSERT_TRUE(root.Assign("old"));
    EXPECT_EQ(0, TPath(path).GetRoot(root)) << "[" << pPath << "]";
    EXPECT_STREQ("old", root.Text()) << "[" << pPath << "]";
  }
}

TEST(PathTrailingBackslash, AppendsOnlyWhenMissing)
{
  struct TRow
  {
    const char* pPath;
    const char* pExpected;
  };
  const TRow aRows[] = {
      {"one\\two", "one\\two\\"},
      {"C:\\one\\", "C:\\one\\"},
      {"C:", "C:\\"},
      {"a/", "a/\\"},
      {" ", " \\"},
      {"", ""},
  };
  for (const TRow& row : aRows) {
    TText path;
    ASSERT_TRUE(path.Assign(row.pPath));
    EXPECT_EQ(1, TPath(path).AddBackslash());
    EXPECT_STREQ(row.pExpected, path.Text()) << row.pPath;
    EXPECT_EQ(std::string(row.pExpected).size(), path.GetLength()) << row.pPath;
  }
  TText never;
  EXPECT_EQ(1, TPath(never).AddBackslash());
  EXPECT_STREQ("", never.Text());
}

TEST(PathTrailingBackslash, LongestPathGetsRoomForItsBackslash)
{
  // 259 characters, the most the dialog passes: 261 bytes with the
  // backslash and the terminator.
  const std::string sPath = "C:\\" + std::string(256, 'a');
  TText path;
  ASSERT_TRUE(path.Assign(sPath.c_str()));
  EXPECT_EQ(1, TPath(path).AddBackslash());
  EXPECT_EQ(sPath + "\\", path.Text());
  EXPECT_EQ(260u, path.GetLength());

  // Short texts get the platform's path buffer, all of which the platform's
  // edit may write (a smaller one shows under the address sanitizer).
  TText shortPath;
  ASSERT_TRUE(shortPath.Assign("C:"));
  TPath(shortPath).AddBackslash();
  memset(shortPath.Buffer(), 'p', MAX_PATH - 1);
  shortPath.Buffer()[MAX_PATH - 1] = 0;
  shortPath.SyncLength();
  EXPECT_EQ(MAX_PATH - 1u, shortPath.GetLength());
}

TEST(PathTrailingBackslash, BeyondThePlatformLimitTheTextStays)
{
  const std::string sPath(300, 'a');
  TText path;
  ASSERT_TRUE(path.Assign(sPath.c_str()));
  EXPECT_EQ(1, TPath(path).AddBackslash());
  EXPECT_EQ(sPath, path.Text());
}

TEST(CommandLineArgs, SplitsAtTheFirstSpaceOutsideQuotes)
{
  struct TRow
  {
    const char* pCommand;
    int nHasArgs;
    const char* pArgs;
    const char* pProgram;
  };
  const TRow aRows[] = {
      {"\"C:\\Program Files\\b.exe\" -nohome", 1, "-nohome", "\"C:\\Program Files\\b.exe\""},
      {"C:\\Program Files\\b.exe %1", 1, "Files\\b.exe %1", "C:\\Program"},
      {"\"C:\\a b\\c.exe\"", 0, "", "\"C:\\a b\\c.exe\""},
      {"\"C:\\a b\\c.exe\" ", 0, "", "\"C:\\a b\\c.exe\""},
      {" leading", 1, "leading", ""},
      {"", 0, "", ""},
  };
  for (const TRow& row : aRows) {
    TText command;
    ASSERT_TRUE(command.Assign(row.pCommand));
    TPath path(command);
    TText args;
    ASSERT_TRUE(args.Assign("old"));
    EXPECT_EQ(row.nHasArgs, path.GetArgs(args)) << "[" << row.pCommand << "]";
    EXPECT_STREQ(row.pArgs, args.Text()) << "[" << row.pCommand << "]";
    EXPECT_STREQ(row.pCommand, command.Text());
    EXPECT_EQ(1, path.RemoveArgs());
    EXPECT_STREQ(row.pProgram, command.Text()) << "[" << row.pCommand << "]";
    EXPECT_EQ(std::string(row.pProgram).size(), command.GetLength());
  }
}

TEST(CommandLineArgs, LongCommandLinesSplitWhole)
{
  const std::string sProgram = "\"C:\\" + std::string(300, 'p') + "\\b.exe\"";
  const std::string sArgs = std::string(400, 'x') + " -y";
  TText command;
  ASSERT_TRUE(command.Assign((sProgram + " " + sArgs).c_str()));
  TPath path(command);
  TText args;
  EXPECT_EQ(1, path.GetArgs(args));
  EXPECT_EQ(sArgs, args.Text());
  path.RemoveArgs();
  EXPECT_EQ(sProgram, command.Text());
  EXPECT_EQ(sProgram.size(), command.GetLength());
}

// An unquoted program path that holds blanks: '@' stands for the test's
// folder, in which Program Files/Browse/browse.exe and Program.exe are
// files, and Tools is a folder.
TEST(CommandLineProgram, TheLongestPartNamingAFileIsTheProgram)
{
  TTempFolder folder;
  const std::string sep = PATH_SEPARATOR_TEXT;
  const std::string browser = "@Program Files" + sep + "Browse" + sep + "browse";
  folder.MakeFolder("Program Files" + sep + "Browse");
  folder.MakeFolder("Tools");
  ASSERT_TRUE(
      WriteWholeFile(folder.File("Program Files" + sep + "Browse" + sep + "browse.exe"), "b"));
  ASSERT_TRUE(WriteWholeFile(folder.File("Program.exe"), "planted"));
  struct TRow
  {
    std::string command;
    int nFound;
    std::string program;
    const char* pArgs;
  };
  const TRow aRows[] = {
      {browser + ".exe %1", 1, browser + ".exe", "%1"},
      {browser + ".exe -url %1 -new", 1, browser + ".exe", "-url %1 -new"},
      {browser + ".exe", 1, browser + ".exe", ""},
      {browser + " \"%1\"", 1, browser + ".exe", "\"%1\""},
      // A folder is no program: the longest file is the planted one here.
      {"@Program Files %1", 1, "@Program.exe", "Files %1"},
      {"@Tools %1", 0, "", "old"},
      {"@Tools" + sep + "x y.exe %1", 0, "", "old"},
      {"", 0, "", "old"},
      {"@" + std::string(300, 'p') + " %1", 0, "", "old"},
  };
  auto expand = [&](std::string text) {
    size_t at = text.find('@');
    return at == std::string::npos ? text : text.replace(at, 1, folder.Path() + sep);
  };
  for (const TRow& row : aRows) {
    const std::string command = expand(row.command);
    TText text;
    ASSERT_TRUE(text.Assign(command.c_str()));
    TText args;
    ASSERT_TRUE(args.Assign("old"));
    EXPECT_EQ(row.nFound, TPath(text).SplitAtProgramFile(args)) << command;
    EXPECT_EQ(row.nFound ? expand(row.program) : command, text.Text()) << command;
    EXPECT_STREQ(row.pArgs, args.Text()) << command;
  }
}

TEST(PathSearch, FindsWholeCharacters)
{
  const char* pText = "C:\\a//b\\\\c";
  EXPECT_EQ(pText + 2, FindPathChar(pText, '\\'));
  EXPECT_EQ(nullptr, FindPathChar(pText, '|'));
  EXPECT_EQ(pText + 4, FindPathPair(pText, "//"));
  EXPECT_EQ(pText + 7, FindPathPair(pText, "\\\\"));
  EXPECT_EQ(nullptr, FindPathPair("a\\b/c", "\\\\"));
  EXPECT_EQ(nullptr, FindPathPair("a\\", "\\\\"));
  EXPECT_EQ(pText + 8, FindLastPathChar(pText, '\\'));
  EXPECT_EQ(nullptr, FindLastPathChar("abc", '\\'));
  EXPECT_EQ(pText + 1, FindAnyPathChar(pText, 10, ":|"));
  EXPECT_EQ(nullptr, FindAnyPathChar(pText, 1, ":|"));
  EXPECT_EQ(nullptr, FindAnyPathChar("", 0, ":|"));
}

}  // namespace
