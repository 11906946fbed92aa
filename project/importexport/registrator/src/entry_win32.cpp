// Windows: the GUI entry point. The exe links no C run-time: Windows starts
// it at ProgramEntry below (the build names it the entry), which hands
// WinMain what the run-time's start-up code did.
#include "commandline.h"
#include "dllsearch.h"
#include "runcontrol.h"
#include "runvalues.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int)
{
  HardenDllSearch();
  g_hInstance = hInstance;
  g_hModule = hInstance;  // the exe itself: its resources are ours
  return RunProgram(lpCmdLine);
}

namespace {

// How the starter asked the main window to be shown.
int ShowState()
{
  STARTUPINFOA info;
  info.cb = sizeof info;
  GetStartupInfoA(&info);
  return (info.dwFlags & STARTF_USESHOWWINDOW) ? info.wShowWindow : SW_SHOWDEFAULT;
}

}  // namespace

// Takes no arguments and never returns: a return would end only this thread,
// and COM may have started others. On x86 Windows enters with the stack
// aligned to 4 bytes only, while GCC's code may keep 16-byte-aligned values
// on it: the entry realigns it for everything it calls.
extern "C"
    __attribute__((noreturn))
#ifdef __i386__
    __attribute__((force_align_arg_pointer))
#endif
    void
    ProgramEntry()
{
  char* pTail = const_cast<char*>(SkipProgramName(GetCommandLineA()));
  ExitProcess(static_cast<UINT>(WinMain(GetModuleHandleA(0), 0, pTail, ShowState())));
}
