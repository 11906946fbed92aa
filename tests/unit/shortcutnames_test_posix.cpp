// POSIX: the program's string table is always at hand, so the default names
// are its texts; and a symbolic link holds its name wherever it leads.
#include <gtest/gtest.h>
#include <unistd.h>

#include "filecontent.h"
#include "platform.h"
#include "shortcuts.h"
#include "tempfolder.h"

TEST(ShortcutDefaultNames, TheStringTableNamesEachKind)
{
  char name[64];
  ASSERT_EQ(S_OK, GetDefaultShortcutName(SHORTCUT_OPEN, name, sizeof name));
  EXPECT_STREQ("Open the Web book", name);
  ASSERT_EQ(S_OK, GetDefaultShortcutName(SHORTCUT_DESKTOP, name, sizeof name));
  EXPECT_STREQ("Web book", name);
  ASSERT_EQ(S_OK, GetDefaultShortcutName(SHORTCUT_STARTMENU, name, sizeof name));
  EXPECT_STREQ("Web book", name);
  ASSERT_EQ(S_OK, GetDefaultShortcutName(SHORTCUT_OPEN, name, 5));
  EXPECT_STREQ("Open", name);
}

// A link to nothing is still a file of that name: writing a shortcut there
// would create whatever it names instead.
TEST(ShortcutFileNames, ASymbolicLinkTakesTheNameWhereverItLeads)
{
  TTempFolder folder;
  const std::string base = folder.File("Atlas");
  const std::string victim = folder.File("elsewhere.bin");
  ASSERT_EQ(0, symlink(victim.c_str(), (base + ".lnk").c_str()));
  ASSERT_EQ(0, symlink(folder.Path().c_str(), (base + " (0).lnk").c_str()));
  TPathText file;
  ASSERT_TRUE(ReserveShortcutFile(base.c_str(), file));
  EXPECT_EQ(base + " (1).lnk", file.Text());

  EXPECT_EQ(DWORD(FILE_ATTRIBUTE_REPARSE_POINT), GetFileAttributesA((base + ".lnk").c_str()));
  EXPECT_EQ(DWORD(FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY),
            GetFileAttributesA((base + " (0).lnk").c_str()));
  EXPECT_FALSE(FileExists(victim));
}
