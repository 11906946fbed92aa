// Windows: the variables of the process environment block.
#include "scopedenv.h"

#include <windows.h>

namespace {

bool ReadVariable(const std::string& name, std::string& value)
{
  DWORD length = GetEnvironmentVariableA(name.c_str(), nullptr, 0);
  if (length > 0) {
    std::string old(length, '\0');
    DWORD got = GetEnvironmentVariableA(name.c_str(), &old[0], length);
    old.resize(got);
    value = old;
    return true;
  }
  return false;
}

}  // namespace

TScopedEnvironment::TScopedEnvironment(const std::string& name, const std::string& value)
    : m_Name(name)
{
  m_HadOld = ReadVariable(name, m_Old);
  SetEnvironmentVariableA(name.c_str(), value.c_str());
}

TScopedEnvironment::TScopedEnvironment(const std::string& name) : m_Name(name)
{
  m_HadOld = ReadVariable(name, m_Old);
  SetEnvironmentVariableA(name.c_str(), nullptr);
}

TScopedEnvironment::~TScopedEnvironment()
{
  SetEnvironmentVariableA(m_Name.c_str(), m_HadOld ? m_Old.c_str() : nullptr);
}
