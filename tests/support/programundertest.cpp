#include "process.h"

#include <cstdlib>

std::string ProgramUnderTest()
{
  const char* named = std::getenv("EXTRACTPANEL_PROGRAM");
  return named && *named ? named : BuildProgram("extractpanel");
}
