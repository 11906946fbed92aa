// Windows: the GUI entry point.
#include "dllsearch.h"
#include "runcontrol.h"
#include "settings.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int)
{
  HardenDllSearch();
  g_hInstance = hInstance;
  g_hModule = GetModuleHandleA(0);
  return RunProgram(lpCmdLine);
}
