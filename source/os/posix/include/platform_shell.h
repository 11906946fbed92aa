// Shell: COM start-up and launching programs and documents.
#ifndef EXTRACTPANEL_PLATFORM_SHELL_H
#define EXTRACTPANEL_PLATFORM_SHELL_H

#include "platform_types.h"

HRESULT CoInitialize(LPVOID pvReserved);
void CoUninitialize(void);

// A program is started with lpParameters split into arguments as Windows
// splits a command line; a document is opened with the desktop's opener.
// Greater than 32 on success; no last error. The verb is always "open" and
// the folder to start in is not looked at: the program gives none.
HINSTANCE ShellExecuteA(HWND hwnd, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters,
                        LPCSTR lpDirectory, int nShowCmd);

#endif
