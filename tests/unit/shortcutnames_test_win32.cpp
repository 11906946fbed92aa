// Windows: the test executable has no string table of its own, so the
// default names fall back to their literals (extractpanel.exe, which has
// the table, is checked end to end).
#include <gtest/gtest.h>

#include "runvalues.h"
#include "shortcuts.h"

TEST(ShortcutDefaultNames, WithoutTheStringTableTheLiteralsNameEachKind)
{
  HMODULE saved = g_hModule;
  g_hModule = GetModuleHandleA(0);
  char name[64];
  ASSERT_EQ(S_OK, GetDefaultShortcutName(SHORTCUT_OPEN, name, sizeof name));
  EXPECT_STREQ("Open autorun book", name);
  ASSERT_EQ(S_OK, GetDefaultShortcutName(SHORTCUT_DESKTOP, name, sizeof name));
  EXPECT_STREQ("autorun book", name);
  ASSERT_EQ(S_OK, GetDefaultShortcutName(SHORTCUT_STARTMENU, name, sizeof name));
  EXPECT_STREQ("autorun book", name);
  ASSERT_EQ(S_OK, GetDefaultShortcutName(SHORTCUT_OPEN, name, 5));
  EXPECT_STREQ("Open", name);
  g_hModule = saved;
}
