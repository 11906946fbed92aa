// POSIX: the special folders and the registry through the program's
// environment variables, for this process and the ones it starts.
#include "modetwoworld.h"

class TPlatformRedirect
{
public:
  TPlatformRedirect(const std::string& root, const std::string& desktop, const std::string& programs)
      : m_Desktop("EXTRACTPANEL_DESKTOP_DIR", desktop),
        m_Programs("EXTRACTPANEL_PROGRAMS_DIR", programs),
        m_Registry("EXTRACTPANEL_REGISTRY_DIR", root + "/registry")
  {
  }

private:
  TScopedEnvironment m_Desktop;
  TScopedEnvironment m_Programs;
  TScopedEnvironment m_Registry;
};

TPlatformRedirect* MakePlatformRedirect(const std::string& root, const std::string& desktop,
                                        const std::string& programs)
{
  return new TPlatformRedirect(root, desktop, programs);
}

void DeletePlatformRedirect(TPlatformRedirect* redirect) { delete redirect; }
