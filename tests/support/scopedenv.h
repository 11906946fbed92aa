// Sets an environment variable of the test process for one scope; the old
// value (or its absence) comes back when the object goes. Child processes
// started meanwhile inherit it.
#ifndef EXTRACTPANEL_TESTS_SCOPEDENV_H
#define EXTRACTPANEL_TESTS_SCOPEDENV_H

#include <string>

class TScopedEnvironment
{
public:
  TScopedEnvironment(const std::string& name, const std::string& value);
  // Removes the variable for the scope.
  explicit TScopedEnvironment(const std::string& name);
  ~TScopedEnvironment();
  TScopedEnvironment(const TScopedEnvironment&) = delete;
  TScopedEnvironment& operator=(const TScopedEnvironment&) = delete;

private:
  std::string m_Name;
  std::string m_Old;
  bool m_HadOld = false;
};

#endif
