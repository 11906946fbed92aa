// A world of its own for a mode-2 test: a temporary folder with the book's
// folders, the desktop and the Programs folder redirected into it (on POSIX
// the system and Windows folders and %SystemRoot% too), a
// registry whose touched keys come back as they were, the stand-in browser's
// log, and a book identifier no other test uses.
#ifndef EXTRACTPANEL_TESTS_MODETWOWORLD_H
#define EXTRACTPANEL_TESTS_MODETWOWORLD_H

#include <memory>
#include <string>
#include <vector>

#include "platform.h"
#include "scopedenv.h"
#include "tempfolder.h"
#include "testregistry.h"

// The per-OS part: where the special folders and the registry point.
class TPlatformRedirect;

class TModeTwoWorld
{
public:
  TModeTwoWorld();
  ~TModeTwoWorld();
  TModeTwoWorld(const TModeTwoWorld&) = delete;
  TModeTwoWorld& operator=(const TModeTwoWorld&) = delete;

  bool Ready() const { return !m_Root.Path().empty(); }
  // A path inside the world's folder, with the OS separator.
  std::string File(const std::string& relative) const { return m_Root.File(relative); }
  std::string MakeFolder(const std::string& relative) const { return m_Root.MakeFolder(relative); }

  const std::string& Desktop() const { return m_Desktop; }
  const std::string& Programs() const { return m_Programs; }
  const std::string& BrowserLog() const { return m_BrowserLog; }
  const std::string& BookId() const { return m_BookId; }
  // The book key under HKEY_CURRENT_USER.
  std::string BookKey() const;
  // The stand-in browser program of the build.
  std::string FakeBrowser() const;

  // Makes the book key as mode 1 leaves it, with the two choices; a
  // negative choice is left out.
  bool MakeBookKey(long desktopChoice, long startMenuChoice) const;
  // .htm names a class of the test's own whose open command is the text
  // given, stored with the type given; an empty command leaves the class
  // without shell\open\command.
  bool RegisterPageCommand(const std::string& command, DWORD type = REG_SZ) const;
  // The class name that RegisterPageCommand gives .htm.
  static const char* PageClass() { return "ExtractPanelTest.Page"; }
  // The reader's choice for .htm pages (the UserChoice of Windows 8 and
  // later) names another class of the test's own, with that command for
  // the verb given; a verb other than open becomes the class's default.
  bool ChoosePageClass(const std::string& command, const std::string& verb = "open") const;
  static const char* ChosenClass() { return "ExtractPanelTest.Chosen"; }

private:
  TTempFolder m_Root;
  std::string m_Desktop;
  std::string m_Programs;
  std::string m_BrowserLog;
  std::string m_BookId;
  TPlatformRedirect* m_Redirect = nullptr;  // owned, made and deleted per OS
  std::unique_ptr<TScopedEnvironment> m_LogVariable;
  std::vector<std::unique_ptr<TSavedRegistryKey>> m_Saved;
  bool m_ComStarted = false;
};

// Defined per OS.
TPlatformRedirect* MakePlatformRedirect(const std::string& root, const std::string& desktop,
                                        const std::string& programs);
void DeletePlatformRedirect(TPlatformRedirect* redirect);

#endif
