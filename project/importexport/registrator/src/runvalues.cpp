#include "runvalues.h"

HINSTANCE g_hInstance = 0;
HMODULE g_hModule = 0;
TRunControlValues g_RunValues;
