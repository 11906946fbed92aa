// Windows: the GUI entry point.
#include "runcontrol.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int)
{
  g_hInstance = hInstance;
  g_hModule = GetModuleHandleA(0);
  return RunProgram(lpCmdLine);
}
