// Windows only: the extraction dialog's window, its folder browser and
// message boxes. Every decision is made in extractiondialog.cpp.
#include "extractiondialog.h"

#include "contract.h"
#include "resource.h"
#include "settings.h"
#include "stringtable.h"

namespace {

const char CONTRACT_SOURCE[] = "project/importexport/registrator/src/registrator_before";

// The edit counts characters, but its ANSI form may be longer: a text that
// does not fit the folder field reads as too long, never cut to fit.
void ReadFolderEdit(HWND hDlg, TFolderText& rFolder)
{
  if (GetDlgItemTextA(hDlg, IDC_FOLDER, rFolder.Buffer(), (int)TFolderText::CAPACITY) == 0)
    rFolder.Clear();
}

int ShowMessage(HWND hDlg, UINT nCaption, UINT nText, UINT nStyle)
{
  TMessageText caption;
  TMessageText text;
  LoadResourceText(nCaption, caption);
  LoadResourceText(nText, text);
  return MessageBoxA(hDlg, text.Text(), caption.Text(), nStyle);
}

bool CheckFolder(HWND hDlg, const char* pFolder)
{
  switch (JudgeFolder(pFolder)) {
  case FOLDER_ACCEPT:
    return true;
  case FOLDER_INVALID:
    ShowMessage(hDlg, IDS_INVALID_CAPTION, IDS_INVALID_TEXT, MB_OK | MB_ICONERROR);
    return false;
  case FOLDER_ASK:
    break;
  }
  return ShowMessage(hDlg, IDS_EXISTS_CAPTION, IDS_EXISTS_TEXT, MB_YESNO | MB_ICONWARNING) ==
         IDYES;
}

void CenterWindow(HWND hWnd)
{
  RECT rect;
  GetWindowRect(hWnd, &rect);
  int nX = 0;
  int nY = 0;
  CenterPosition(rect.left, rect.top, rect.right, rect.bottom, GetSystemMetrics(SM_CXSCREEN),
                 GetSystemMetrics(SM_CYSCREEN), nX, nY);
  MoveWindow(hWnd, nX, nY, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

void LabelButton(HWND hBrowser, int nButton, UINT nString, const char* pFallback)
{
  TFixedText<256> label;
  LoadResourceText(nString, label, pFallback);
  SetDlgItemTextA(hBrowser, nButton, label.Text());
}

void OnBrowserInitialized(HWND hBrowser, LPARAM lpStart)
{
  if (lpStart != 0) SendMessageA(hBrowser, BFFM_SETSELECTIONA, TRUE, lpStart);
  if (hBrowser == 0) return;
  LabelButton(hBrowser, IDOK, IDS_BROWSE_OK, "OK");
  LabelButton(hBrowser, IDCANCEL, IDS_BROWSE_CANCEL, "Cancel");
  TFixedText<256> title;
  LoadResourceText(IDS_BROWSE_TITLE, title);
  SetWindowTextA(hBrowser, title.Text());
}

// OK only for items that are folders of the file system.
void OnBrowserSelectionChanged(HWND hBrowser, LPCITEMIDLIST pItem)
{
  CONTRACT_CHECK(hBrowser != 0, "hwnd", CONTRACT_SOURCE);
  char aPath[MAX_PATH];
  BOOL bFileSystem = pItem != 0 && SHGetPathFromIDListA(pItem, aPath);
  SendMessageA(hBrowser, BFFM_ENABLEOK, 0, bFileSystem ? TRUE : FALSE);
}

int CALLBACK BrowseCallback(HWND hBrowser, UINT uMsg, LPARAM lParam, LPARAM lpData)
{
  if (uMsg == BFFM_INITIALIZED) OnBrowserInitialized(hBrowser, lpData);
  else if (uMsg == BFFM_SELCHANGED) OnBrowserSelectionChanged(hBrowser, (LPCITEMIDLIST)lParam);
  return 0;
}

// true and the chosen folder in rFolder; false when the reader cancelled or
// chose something that is no folder of the file system.
bool BrowseForFolder(HWND hDlg, const char* pStart, TPathText& rFolder)
{
  TFixedText<256> prompt;
  LoadResourceText(IDS_BROWSE_TITLE, prompt);
  char aDisplayName[MAX_PATH];
  BROWSEINFOA info;
  ZeroMemory(&info, sizeof(info));
  info.hwndOwner = IsWindow(hDlg) ? hDlg : 0;
  info.pidlRoot = 0;
  info.pszDisplayName = aDisplayName;
  info.lpszTitle = prompt.Text();
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  info.lpfn = BrowseCallback;
  info.lParam = pStart[0] != 0 ? (LPARAM)pStart : 0;
  LPITEMIDLIST pItem = SHBrowseForFolderA(&info);
  if (pItem == 0) return false;
  char aPath[MAX_PATH];
  BOOL bPath = SHGetPathFromIDListA(pItem, aPath);
  CoTaskMemFree(pItem);
  return bPath && aPath[0] != 0 && rFolder.Assign(aPath);
}

INT_PTR OnInitDialog(HWND hDlg)
{
  SendDlgItemMessageA(hDlg, IDC_FOLDER, EM_LIMITTEXT, FOLDER_TEXT_LIMIT, 0);
  TPathText folder;
  GetDefaultFolder(g_RunValues.RtpFileName.Text(), folder);
  SetDlgItemTextA(hDlg, IDC_FOLDER, folder.Text());
  CheckDlgButton(hDlg, IDC_DESKTOP, g_PreSettings.DesktopChoice ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(hDlg, IDC_STARTMENU,
                 g_PreSettings.StartMenuChoice ? BST_CHECKED : BST_UNCHECKED);
  TNoticeText notice;
  LoadPrivacyNotice(notice);
  SetDlgItemTextA(hDlg, IDC_PRIVACY, notice.Text());
  CenterWindow(hDlg);
  // The reader, on the keyboard or through a screen reader, lands on the
  // folder; the handler has placed the focus itself, so it answers FALSE.
  SetFocus(GetDlgItem(hDlg, IDC_FOLDER));
  return FALSE;
}

void OnOk(HWND hDlg)
{
  TFolderText folder;
  ReadFolderEdit(hDlg, folder);
  if (!CheckFolder(hDlg, folder.Text())) return;
  StoreDialogChoices(folder.Text(), IsDlgButtonChecked(hDlg, IDC_DESKTOP) == BST_CHECKED,
                     IsDlgButtonChecked(hDlg, IDC_STARTMENU) == BST_CHECKED);
  EndDialog(hDlg, IDOK);
}

void OnBrowse(HWND hDlg)
{
  TFolderText start;
  ReadFolderEdit(hDlg, start);
  TPathText chosen;
  if (BrowseForFolder(hDlg, start.Text(), chosen)) SetDlgItemTextA(hDlg, IDC_FOLDER, chosen.Text());
}

// Clicks, Enter and Escape only: other notifications leave the dialog alone.
INT_PTR OnCommand(HWND hDlg, WPARAM wParam)
{
  if (HIWORD(wParam) != 0) return FALSE;
  switch (LOWORD(wParam)) {
  case IDOK:
    OnOk(hDlg);
    return TRUE;
  case IDCANCEL:
    EndDialog(hDlg, IDCANCEL);
    return TRUE;
  case IDC_BROWSE:
    OnBrowse(hDlg);
    return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK ExtractionDialogProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM)
{
  switch (uMsg) {
  case WM_INITDIALOG:
    return OnInitDialog(hDlg);
  case WM_COMMAND:
    return OnCommand(hDlg, wParam);
  }
  return FALSE;
}

}  // namespace

bool ShowExtractionDialog()
{
  // The manifest asks for Common Controls 6; the library has to be loaded
  // for its window classes to exist (older systems do not load it alone).
  LoadLibraryA("comctl32.dll");
  return DialogBoxParamA(g_hModule, MAKEINTRESOURCEA(IDD_EXTRACTION), 0, ExtractionDialogProc,
                         0) == IDOK;
}
