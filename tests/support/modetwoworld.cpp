#include "modetwoworld.h"

#include "process.h"
#include "testregistry.h"

TModeTwoWorld::TModeTwoWorld()
{
  if (!Ready()) return;
  m_Desktop = m_Root.MakeFolder("Desktop");
  m_Programs = m_Root.MakeFolder("Programs");
  m_BrowserLog = m_Root.File("browser.log");
  // The folder's name is unique among the tests running at once.
  m_BookId = "book-" + m_Root.Path().substr(m_Root.Path().find_last_of("\\/") + 1);
  m_Redirect = MakePlatformRedirect(m_Root.Path(), m_Desktop, m_Programs);
  m_LogVariable.reset(new TScopedEnvironment("EXTRACTPANEL_FAKEBROWSER_LOG", m_BrowserLog));
  m_ComStarted = SUCCEEDED(CoInitialize(0));
  // Everything a mode-2 run may touch comes back as it was.
  const char* classes[] = {".htm", ".7xe", "7xefile", PageClass()};
  for (const char* name : classes) m_Saved.emplace_back(new TSavedRegistryKey(HKEY_CLASSES_ROOT, name));
  const char* userClasses[] = {"Software\\Classes\\.7xe", "Software\\Classes\\7xefile"};
  for (const char* name : userClasses) m_Saved.emplace_back(new TSavedRegistryKey(HKEY_CURRENT_USER, name));
  m_Saved.emplace_back(new TSavedRegistryKey(HKEY_CURRENT_USER, BookKey()));
}

TModeTwoWorld::~TModeTwoWorld()
{
  // Keys first: on POSIX they live in the registry the redirect points at.
  while (!m_Saved.empty()) m_Saved.pop_back();
  if (m_ComStarted) CoUninitialize();
  m_LogVariable.reset();
  DeletePlatformRedirect(m_Redirect);
}

std::string TModeTwoWorld::BookKey() const { return REFERRALS + "\\" + m_BookId; }

std::string TModeTwoWorld::FakeBrowser() const { return BuildProgram("fakebrowser"); }

bool TModeTwoWorld::MakeBookKey(long desktopChoice, long startMenuChoice) const
{
  bool ok = WriteRegString(HKEY_CURRENT_USER, BookKey(), "UserID", "author-1");
  if (desktopChoice >= 0) ok = ok && WriteRegDword(HKEY_CURRENT_USER, BookKey(), "ShortcutOnDesktop", (DWORD)desktopChoice);
  if (startMenuChoice >= 0)
    ok = ok && WriteRegDword(HKEY_CURRENT_USER, BookKey(), "ShortcutInWindowsStartMenu", (DWORD)startMenuChoice);
  return ok;
}

bool TModeTwoWorld::RegisterPageCommand(const std::string& command) const
{
  if (!WriteRegString(HKEY_CLASSES_ROOT, ".htm", nullptr, PageClass())) return false;
  std::string key = std::string(PageClass()) + "\\shell\\open\\command";
  if (command.empty()) return WriteRegString(HKEY_CLASSES_ROOT, PageClass(), nullptr, "test page");
  return WriteRegString(HKEY_CLASSES_ROOT, key, nullptr, command);
}
