// Windows only: the program's resources from the built executable.
#include "programresources.h"

#include "process.h"
#include "runvalues.h"

void UseProgramResources()
{
  static HMODULE s_hProgram =
      LoadLibraryExA(ProgramUnderTest().c_str(), 0, LOAD_LIBRARY_AS_DATAFILE);
  g_hModule = s_hProgram;
}
