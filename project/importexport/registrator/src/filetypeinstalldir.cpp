#include "filetypeinstalldir.h"

#include "bookkey.h"
#include "platform.h"
#include "postextractionsettings.h"
#include "shellnotify.h"
#include "tregkey.h"

namespace {

const char BOOK_EXTENSION[] = ".7xe";
const char BOOK_CLASS[] = "7xefile";
// What HKEY_CLASSES_ROOT shows of the current user's own classes.
const char USER_CLASSES[] = "Software\\Classes";

// True when .7xe already has a default value that is not empty; one that
// does not fit 512 bytes counts as none.
bool IsBookTypeRegistered()
{
  TRegKey key;
  if (key.Open(HKEY_CLASSES_ROOT, BOOK_EXTENSION, KEY_READ) != ERROR_SUCCESS) return false;
  char aClass[512];
  DWORD dwCount = sizeof aClass;
  return key.QueryValue(aClass, 0, &dwCount) == ERROR_SUCCESS && dwCount > 0 && aClass[0] != 0;
}

// .7xe naming 7xefile, then the empty class key, both under hRoot.
// ERROR_SUCCESS, or the code of the first step that failed; *pValueSet tells
// whether .7xe itself now names the class.
LONG WriteBookType(HKEY hRoot, bool* pValueSet)
{
  *pValueSet = false;
  TRegKey key;
  LONG lResult =
      key.Create(hRoot, BOOK_EXTENSION, 0, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, 0, 0);
  if (lResult != ERROR_SUCCESS) return lResult;
  lResult = key.SetValue(BOOK_CLASS, 0);
  if (lResult != ERROR_SUCCESS) return lResult;
  *pValueSet = true;
  return key.Create(hRoot, BOOK_CLASS, 0, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, 0, 0);
}

// One blank, in a file made or emptied under the name itself: a link
// planted there (the folder may be another user's) is opened as itself and
// nothing is written through it.
void WriteMarkerFile(const char* pPath)
{
  HANDLE hFile =
      CreateFileA(pPath, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, 0, CREATE_ALWAYS,
                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, 0);
  if (hFile == INVALID_HANDLE_VALUE) return;
  BY_HANDLE_FILE_INFORMATION info;
  DWORD dwWritten;
  if (GetFileInformationByHandle(hFile, &info) &&
      (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
    WriteFile(hFile, " ", 1, &dwWritten, 0);
  CloseHandle(hFile);
}

}  // namespace

int RecordInstallDirectory()
{
  const TPostExtractionSettings& rSettings = g_PostSettings;
  if (rSettings.BookId.IsEmpty()) return 1;
  // Only a book key that mode 1 made is extended; none is created here.
  TRegKey referrals;
  TRegKey book;
  if (OpenBookKey(rSettings.BookId.Text(), BOOK_KEY_OPEN, KEY_SET_VALUE, referrals, book) ==
      ERROR_SUCCESS)
    book.SetValue(rSettings.InstallDirectory.Text(), "Install Directory");
  return 1;
}

int RegisterBookFileType()
{
  if (IsBookTypeRegistered()) return 1;
  bool bValueSet = false;
  LONG lResult = WriteBookType(HKEY_CLASSES_ROOT, &bValueSet);
  if (lResult == ERROR_ACCESS_DENIED && !bValueSet) {
    // Without the right to register for every user, register for this one.
    TRegKey userClasses;
    if (userClasses.Create(HKEY_CURRENT_USER, USER_CLASSES, 0, REG_OPTION_NON_VOLATILE,
                           KEY_READ | KEY_WRITE, 0, 0) == ERROR_SUCCESS)
      lResult = WriteBookType(userClasses.m_hKey, &bValueSet);
  }
  if (bValueSet) NotifyShellAssociationsChanged();
  return lResult == ERROR_SUCCESS ? 1 : 0;
}

int WriteImportMarker(const char* pMarkerPath)
{
  if (pMarkerPath == 0 || *pMarkerPath == 0) return 1;
  RegisterBookFileType();
  WriteMarkerFile(pMarkerPath);
  return 1;
}
