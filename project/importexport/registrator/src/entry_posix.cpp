// POSIX: the program entry; turns the argument vector back into one
// command-line text for the same reader that Windows feeds.
#include "argumentline.h"
#include "runcontrol.h"
#include "runvalues.h"

int main(int argc, char** argv)
{
  g_hInstance = GetModuleHandleA(0);
  g_hModule = GetModuleHandleA(0);
  // The whole text goes to the reader, which refuses one that is too long
  // just as it refuses a Windows command line of that length.
  TText line;
  if (!JoinArguments(argc - 1, argv + 1, line)) return 0;
  return RunProgram(line.Text());
}
