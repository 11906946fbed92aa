// Loads the DLL planted beside it by bare name before and after the
// program's DLL-search hardening, with an error mode set beforehand, and
// prints what happened: "before=1 after=0 mode=0x8003" when the hardening
// holds and keeps the mode it found.
#include <stdio.h>

#include "dllsearch.h"
#include "platform.h"

static const char PLANTED[] = "plantedlib.dll";

int main()
{
  SetErrorMode(SEM_NOGPFAULTERRORBOX);
  HMODULE hBefore = LoadLibraryA(PLANTED);
  // Unloaded, so that the second load has to search for it again.
  if (hBefore) FreeLibrary(hBefore);
  HardenDllSearch();
  HMODULE hAfter = LoadLibraryA(PLANTED);
  UINT nMode = SetErrorMode(0);
  printf("before=%d after=%d mode=%#x", hBefore != 0, hAfter != 0, nMode);
  return 0;
}
