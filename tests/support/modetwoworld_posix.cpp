// POSIX: the special folders, the system's folders and the registry through
// the program's environment variables, for this process and the ones it
// starts; %SystemRoot% names the Windows folder, as on Windows.
#include "modetwoworld.h"

#include <filesystem>

class TPlatformRedirect
{
public:
  TPlatformRedirect(const std::string& root, const std::string& desktop,
                    const std::string& programs)
      : m_Desktop("EXTRACTPANEL_DESKTOP_DIR", desktop),
        m_Programs("EXTRACTPANEL_PROGRAMS_DIR", programs),
        m_Registry("EXTRACTPANEL_REGISTRY_DIR", root + "/registry"),
        m_Windows("EXTRACTPANEL_WINDOWS_DIR", root + "/Windows"),
        m_System("EXTRACTPANEL_SYSTEM_DIR", root + "/Windows/System32"),
        m_SystemRoot("SystemRoot", root + "/Windows")
  {
    std::error_code error;
    std::filesystem::create_directories(root + "/Windows/System32", error);
  }

private:
  TScopedEnvironment m_Desktop;
  TScopedEnvironment m_Programs;
  TScopedEnvironment m_Registry;
  TScopedEnvironment m_Windows;
  TScopedEnvironment m_System;
  TScopedEnvironment m_SystemRoot;
};

TPlatformRedirect* MakePlatformRedirect(const std::string& root, const std::string& desktop,
                                        const std::string& programs)
{
  return new TPlatformRedirect(root, desktop, programs);
}

void DeletePlatformRedirect(TPlatformRedirect* redirect) { delete redirect; }
