// POSIX: the program's string table is always at hand, so the default names
// are its texts.
#include <gtest/gtest.h>

#include "shortcuts.h"

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
