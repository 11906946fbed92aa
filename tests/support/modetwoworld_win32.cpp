// Windows: the current user's Desktop and Programs folders point into the
// test's folder through the shell's per-user folder settings, which are put
// back afterwards; the real folders are never written to.
#include "modetwoworld.h"

namespace {

const char USER_SHELL_FOLDERS[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
const char SHELL_FOLDERS[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

}  // namespace

class TPlatformRedirect
{
public:
  TPlatformRedirect(const std::string& desktop, const std::string& programs)
      : m_UserShellFolders(HKEY_CURRENT_USER, USER_SHELL_FOLDERS),
        m_ShellFolders(HKEY_CURRENT_USER, SHELL_FOLDERS)
  {
    WriteRegBytes(HKEY_CURRENT_USER, USER_SHELL_FOLDERS, "Desktop", REG_EXPAND_SZ, desktop + '\0');
    WriteRegBytes(HKEY_CURRENT_USER, USER_SHELL_FOLDERS, "Programs", REG_EXPAND_SZ,
                  programs + '\0');
    WriteRegString(HKEY_CURRENT_USER, SHELL_FOLDERS, "Desktop", desktop);
    WriteRegString(HKEY_CURRENT_USER, SHELL_FOLDERS, "Programs", programs);
  }

private:
  TSavedRegistryKey m_UserShellFolders;
  TSavedRegistryKey m_ShellFolders;
};

TPlatformRedirect* MakePlatformRedirect(const std::string&, const std::string& desktop,
                                        const std::string& programs)
{
  return new TPlatformRedirect(desktop, programs);
}

void DeletePlatformRedirect(TPlatformRedirect* redirect) { delete redirect; }
