#include "modetwoworld.h"

#include "process.h"
#include "testregistry.h"

namespace {

const char USER_CHOICE[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.htm\\UserChoice";

}  // namespace

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
  const char* classes[] = {".htm", ".7xe", "7xefile", PageClass(), ChosenClass()};
  for (const char* name : classes)
    m_Saved.emplace_back(new TSavedRegistryKey(HKEY_CLASSES_ROOT, name));
  const char* userKeys[] = {"Software\\Classes\\.7xe", "Software\\Classes\\7xefile", USER_CHOICE};
  for (const char* name : userKeys)
    m_Saved.emplace_back(new TSavedRegistryKey(HKEY_CURRENT_USER, name));
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
  if (desktopChoice >= 0)
    ok = ok &&
         WriteRegDword(HKEY_CURRENT_USER, BookKey(), "ShortcutOnDesktop", (DWORD)desktopChoice);
  if (startMenuChoice >= 0)
    ok = ok && WriteRegDword(HKEY_CURRENT_USER, BookKey(), "ShortcutInWindowsStartMenu",
                             (DWORD)startMenuChoice);
  return ok;
}

namespace {

// The class anew, so that no command of an earlier call is left.
bool RegisterClassCommand(const char* name, const std::string& command, DWORD type,
                          const std::string& verb = "open")
{
  DeleteRegistryTree(HKEY_CLASSES_ROOT, name);
  if (command.empty()) return WriteRegString(HKEY_CLASSES_ROOT, name, nullptr, "test page");
  const std::string shell = std::string(name) + "\\shell";
  if (verb != "open" && !WriteRegString(HKEY_CLASSES_ROOT, shell, nullptr, verb)) return false;
  return WriteRegBytes(HKEY_CLASSES_ROOT, shell + "\\" + verb + "\\command", nullptr, type,
                       command + '\0');
}

}  // namespace

bool TModeTwoWorld::RegisterPageCommand(const std::string& command, DWORD type) const
{
  return WriteRegString(HKEY_CLASSES_ROOT, ".htm", nullptr, PageClass()) &&
         RegisterClassCommand(PageClass(), command, type);
}

bool TModeTwoWorld::ChoosePageClass(const std::string& command, const std::string& verb) const
{
  return WriteRegString(HKEY_CURRENT_USER, USER_CHOICE, "ProgId", ChosenClass()) &&
         RegisterClassCommand(ChosenClass(), command, REG_SZ, verb);
}
