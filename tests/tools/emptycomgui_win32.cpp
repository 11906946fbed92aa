// The second yardstick for start-up time: a GUI program that only
// initialises COM, as the program's entry must before it reads anything.
#include <windows.h>
#include <objbase.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
  if (FAILED(CoInitialize(0))) return 0;
  CoUninitialize();
  return 1;
}
