// POSIX: the variables through setenv and unsetenv.
#include "scopedenv.h"

#include <stdlib.h>

TScopedEnvironment::TScopedEnvironment(const std::string& name, const std::string& value)
    : m_Name(name)
{
  const char* old = getenv(name.c_str());
  m_HadOld = old != nullptr;
  if (old) m_Old = old;
  setenv(name.c_str(), value.c_str(), 1);
}

TScopedEnvironment::TScopedEnvironment(const std::string& name) : m_Name(name)
{
  const char* old = getenv(name.c_str());
  m_HadOld = old != nullptr;
  if (old) m_Old = old;
  unsetenv(name.c_str());
}

TScopedEnvironment::~TScopedEnvironment()
{
  if (m_HadOld) setenv(m_Name.c_str(), m_Old.c_str(), 1);
  else unsetenv(m_Name.c_str());
}
