// Drives the extraction dialog of a running extractpanel from another
// process, as a reader would: drivedialog FOLDER DESKTOP(0|1) STARTMENU(0|1)
// Types the folder, sets both boxes, presses OK and answers Yes should the
// folder exist. Exits 0 when the dialog closed. The folder is read and typed
// wide, so a name outside the ANSI code page is typed as itself.
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

static const char DIALOG_CAPTION[] = "Ostrelbook Extraction";
static const char QUESTION_CAPTION[] = "Path confirmation";

static HWND WaitForWindow(const char* pCaption, int nMilliseconds)
{
  for (int nWaited = 0; nWaited <= nMilliseconds; nWaited += 50) {
    HWND hwnd = FindWindowA(0, pCaption);
    if (hwnd) return hwnd;
    Sleep(50);
  }
  return 0;
}

static void SetCheck(HWND hDialog, int nId, int nChecked)
{
  SendDlgItemMessageA(hDialog, nId, BM_SETCHECK, nChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

int main(int argc, char** argv)
{
  int nWide = 0;
  LPWSTR* ppWide = CommandLineToArgvW(GetCommandLineW(), &nWide);
  if (argc != 4 || ppWide == 0 || nWide != 4) {
    fprintf(stderr, "usage: drivedialog FOLDER DESKTOP STARTMENU\n");
    return 2;
  }
  HWND hDialog = WaitForWindow(DIALOG_CAPTION, 20000);
  if (!hDialog) {
    fprintf(stderr, "drivedialog: no dialog appeared\n");
    return 1;
  }
  Sleep(300);  // let a screenshot see the dialog as it opened
  SetDlgItemTextW(hDialog, 2000, ppWide[1]);
  SetCheck(hDialog, 2002, atoi(argv[2]));
  SetCheck(hDialog, 2003, atoi(argv[3]));
  PostMessageA(hDialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  HWND hQuestion = WaitForWindow(QUESTION_CAPTION, 1500);
  if (hQuestion) PostMessageA(hQuestion, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
  for (int nWaited = 0; nWaited < 10000; nWaited += 50) {
    if (!IsWindow(hDialog)) return 0;
    Sleep(50);
  }
  fprintf(stderr, "drivedialog: the dialog stayed open\n");
  return 1;
}
