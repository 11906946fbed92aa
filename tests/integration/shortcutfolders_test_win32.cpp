// Windows: a Desktop and a Programs folder named in a script that the ANSI
// code page lacks still get their shortcuts, there and nowhere else.
#include <gtest/gtest.h>

#include <string>

#include "modetwoworld.h"
#include "registrator_after.h"
#include "shortcuts.h"

namespace {

const wchar_t* const FOLDER_KEYS[] = {
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders"};

std::wstring Wide(const std::string& text)
{
  std::wstring out(text.size() + 1, L'\0');
  out.resize(MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &out[0], (int)out.size()) - 1);
  return out;
}

bool WholeInCodePage(const std::wstring& text)
{
  BOOL lost = FALSE;
  char buffer[MAX_PATH * 2];
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(), -1, buffer, sizeof buffer,
                      nullptr, &lost);
  return !lost;
}

// The world has saved both keys and puts them back.
bool PointFolder(const wchar_t* name, const std::wstring& path)
{
  bool ok = CreateDirectoryW(path.c_str(), nullptr) != 0;
  for (const wchar_t* key : FOLDER_KEYS) {
    HKEY hKey = nullptr;
    ok = ok && RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &hKey,
                               nullptr) == 0;
    ok = ok && RegSetValueExW(hKey, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                              (DWORD)((path.size() + 1) * sizeof(wchar_t))) == 0;
    if (hKey) RegCloseKey(hKey);
  }
  return ok;
}

bool LinkIn(const std::wstring& folder)
{
  return GetFileAttributesW((folder + L"\\Atlas.lnk").c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST(ShortcutFoldersInAnyScript, DesktopAndProgramsOutsideTheCodePageGetTheirShortcuts)
{
  const wchar_t* const names[] = {
      L"\x0420\x0430\x0431\x043E\x0447\x0438\x0439 \x0441\x0442\x043E\x043B",
      L"\x30C7\x30B9\x30AF\x30C8\x30C3\x30D7"};
  for (const wchar_t* name : names) {
    TModeTwoWorld world;
    ASSERT_TRUE(world.Ready());
    TPostExtractionRunner runner;  // resets the settings
    const std::wstring desktop = Wide(world.File("")) + name;
    const std::wstring programs = desktop + L" programs";
    if (WholeInCodePage(desktop)) GTEST_SKIP() << "the ANSI code page has these letters";
    ASSERT_TRUE(PointFolder(L"Desktop", desktop));
    ASSERT_TRUE(PointFolder(L"Programs", programs));
    const std::string target = world.File("index.htm");
    EXPECT_EQ(S_OK, MakeShortcut(SHORTCUT_DESKTOP, target.c_str(), "Atlas", ""));
    EXPECT_TRUE(LinkIn(desktop));
    EXPECT_EQ(S_OK, MakeShortcut(SHORTCUT_STARTMENU, target.c_str(), "Atlas", ""));
    EXPECT_TRUE(LinkIn(programs + L"\\Ostrelbooks"));
  }
}

}  // namespace
