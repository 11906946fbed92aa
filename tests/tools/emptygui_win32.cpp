// The yardstick for start-up time: a GUI program that does nothing, built
// and started the way the program is.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return 1; }
