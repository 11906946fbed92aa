// Windows only: the extraction dialog's window, its folder browser and
// message boxes. Every decision is made in extractiondialog.cpp.
#include "extractiondialog.h"

#include "ansipath.h"
#include "contract.h"
#include "preextractionsettings.h"
#include "resource.h"
#include "runvalues.h"
#include "stringtable.h"

namespace {

const char CONTRACT_SOURCE[] = "project/importexport/registrator/src/registrator_before";

// Posted by the dialog to itself when the edit has cut input at its
// limit: it arrives after the change notice of that same cut.
const UINT WM_FOLDER_CUT = WM_APP + 1;

// Set while the edit holds text that it cut at its limit: the folder the
// reader pasted is not the one the edit shows.
bool s_bFolderCut = false;

// The edit's text, read wide, in room for more than a folder may have.
void ReadFolderEditWide(HWND hDlg, WCHAR (&aWide)[TFolderText::CAPACITY])
{
  if (GetDlgItemTextW(hDlg, IDC_FOLDER, aWide, (int)TFolderText::CAPACITY) == 0) aWide[0] = 0;
}

// The folder in the ANSI code page; false when it cannot be written there
// as itself. A text too long for the field still reads as too long, never
// cut to fit. A share is never asked for its short form: the dialog would
// wait for the network.
bool ReadFolderEdit(HWND hDlg, TFolderText& rFolder)
{
  WCHAR aWide[TFolderText::CAPACITY];
  ReadFolderEditWide(hDlg, aWide);
  int nSize = (int)TFolderText::CAPACITY;
  if (PathIsUNCW(aWide)) return WideToAnsi(aWide, rFolder.Buffer(), nSize);
  return WidePathToAnsi(aWide, rFolder.Buffer(), nSize);
}

int ShowMessage(HWND hDlg, UINT nCaption, UINT nText, UINT nStyle)
{
  TMessageText caption;
  TMessageText text;
  LoadResourceText(nCaption, caption);
  LoadResourceText(nText, text);
  return MessageBoxA(hDlg, text.Text(), caption.Text(), nStyle);
}

bool CheckFolder(HWND hDlg, TFolderVerdict eVerdict)
{
  switch (eVerdict) {
    case FOLDER_ACCEPT: return true;
    case FOLDER_INVALID:
      ShowMessage(hDlg, IDS_INVALID_CAPTION, IDS_INVALID_TEXT, MB_OK | MB_ICONERROR);
      return false;
    case FOLDER_ASK: break;
  }
  return ShowMessage(hDlg, IDS_EXISTS_CAPTION, IDS_EXISTS_TEXT, MB_YESNO | MB_ICONWARNING) == IDYES;
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
  if (lpStart != 0) SendMessageA(hBrowser, BFFM_SETSELECTIONW, TRUE, lpStart);
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
  WCHAR aPath[MAX_PATH];
  BOOL bFileSystem = pItem != 0 && SHGetPathFromIDListW(pItem, aPath);
  SendMessageA(hBrowser, BFFM_ENABLEOK, 0, bFileSystem ? TRUE : FALSE);
}

int CALLBACK BrowseCallback(HWND hBrowser, UINT uMsg, LPARAM lParam, LPARAM lpData)
{
  if (uMsg == BFFM_INITIALIZED) OnBrowserInitialized(hBrowser, lpData);
  else if (uMsg == BFFM_SELCHANGED) OnBrowserSelectionChanged(hBrowser, (LPCITEMIDLIST)lParam);
  return 0;
}

// true and the chosen folder in aFolder; false when the reader cancelled or
// chose something that is no folder of the file system. The path is taken
// wide: its ANSI form may be a look-alike of another folder.
bool BrowseForFolder(HWND hDlg, const WCHAR* pStart, WCHAR (&aFolder)[MAX_PATH])
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
  BOOL bPath = SHGetPathFromIDListW(pItem, aFolder);
  CoTaskMemFree(pItem);
  return bPath && aFolder[0] != 0;
}

INT_PTR OnInitDialog(HWND hDlg)
{
  SendDlgItemMessageA(hDlg, IDC_FOLDER, EM_LIMITTEXT, FOLDER_TEXT_LIMIT, 0);
  s_bFolderCut = false;
  TPathText folder;
  GetDefaultFolder(g_RunValues.RtpFileName.Text(), folder);
  SetDlgItemTextA(hDlg, IDC_FOLDER, folder.Text());
  CheckDlgButton(hDlg, IDC_DESKTOP, g_PreSettings.DesktopChoice ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(hDlg, IDC_STARTMENU, g_PreSettings.StartMenuChoice ? BST_CHECKED : BST_UNCHECKED);
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
  bool bTaken = !s_bFolderCut && ReadFolderEdit(hDlg, folder);
  if (!CheckFolder(hDlg, bTaken ? JudgeFolder(folder.Text()) : FOLDER_INVALID)) return;
  StoreDialogChoices(folder.Text(), IsDlgButtonChecked(hDlg, IDC_DESKTOP) == BST_CHECKED,
                     IsDlgButtonChecked(hDlg, IDC_STARTMENU) == BST_CHECKED);
  EndDialog(hDlg, IDOK);
}

void OnBrowse(HWND hDlg)
{
  WCHAR aStart[TFolderText::CAPACITY];
  ReadFolderEditWide(hDlg, aStart);
  WCHAR aChosen[MAX_PATH];
  if (BrowseForFolder(hDlg, aStart, aChosen)) SetDlgItemTextW(hDlg, IDC_FOLDER, aChosen);
}

// The folder edit's notices: a cut at its limit holds until the next change.
void OnFolderNotice(HWND hDlg, WORD wNotice)
{
  if (wNotice == EN_MAXTEXT) PostMessageA(hDlg, WM_FOLDER_CUT, 0, 0);
  else if (wNotice == EN_CHANGE) s_bFolderCut = false;
}

// Clicks, Enter and Escape; of the other notifications only the folder
// edit's.
INT_PTR OnCommand(HWND hDlg, WPARAM wParam)
{
  if (LOWORD(wParam) == IDC_FOLDER) OnFolderNotice(hDlg, HIWORD(wParam));
  if (HIWORD(wParam) != 0) return FALSE;
  switch (LOWORD(wParam)) {
    case IDOK: OnOk(hDlg); return TRUE;
    case IDCANCEL: EndDialog(hDlg, IDCANCEL); return TRUE;
    case IDC_BROWSE: OnBrowse(hDlg); return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK ExtractionDialogProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM)
{
  switch (uMsg) {
    case WM_INITDIALOG: return OnInitDialog(hDlg);
    case WM_COMMAND: return OnCommand(hDlg, wParam);
    case WM_FOLDER_CUT: s_bFolderCut = true; return TRUE;
  }
  return FALSE;
}

}  // namespace

bool ShowExtractionDialog()
{
  // The manifest asks for Common Controls 6; the library has to be loaded
  // for its window classes to exist (older systems do not load it alone).
  LoadLibraryA("comctl32.dll");
  return DialogBoxParamA(g_hModule, MAKEINTRESOURCEA(IDD_EXTRACTION), 0, ExtractionDialogProc, 0) ==
         IDOK;
}
