#include "extractiondialog.h"

#include "folderpath.h"
#include "memory.h"
#include "preextractionsettings.h"
#include "resultfile.h"
#include "stringtable.h"

namespace {

const char DEFAULT_FOLDER[] = "c:\\";

// The first read buffer of a result value; it grows while the value does
// not fit.
const DWORD FIRST_READ_SIZE = 256;
const DWORD READ_GROWTH = 256;

int Wrap16(long nValue)
{
  long nLow = nValue & 0xFFFF;
  return (int)(nLow >= 0x8000 ? nLow - 0x10000 : nLow);
}

// Halving towards minus infinity, as an arithmetic shift right by one.
long HalveDown(long nValue) { return nValue >= 0 ? nValue / 2 : -((-nValue + 1) / 2); }

}  // namespace

int ReadFolderSource(const char* pResultFile, const char* pKey, TPathText& rFolder)
{
  DWORD nSize = FIRST_READ_SIZE;
  for (;;) {
    char* pBuffer = static_cast<char*>(MemAlloc(nSize));
    if (pBuffer == 0) return 0;
    DWORD nLength = nSize;
    int nRead = ReadResultValue(pResultFile, pKey, pBuffer, &nLength);
    if (nRead == READ_RESULT_TOO_SMALL) {
      MemFree(pBuffer);
      nSize = nLength > nSize ? nLength : nSize + READ_GROWTH;
      continue;
    }
    // A value longer than the field is passed over, never cut: a cut path
    // would name some other folder.
    int nFound = nRead == READ_RESULT_COPIED && pBuffer[0] != 0 && rFolder.Assign(pBuffer);
    MemFree(pBuffer);
    return nFound;
  }
}

void GetDefaultFolder(const char* pResultFile, TPathText& rFolder)
{
  if (pResultFile != 0 && pResultFile[0] != 0) {
    if (ReadFolderSource(pResultFile, "CustomPath", rFolder)) return;
    if (ReadFolderSource(pResultFile, "ExePath", rFolder)) return;
  }
  rFolder.Assign(DEFAULT_FOLDER);
}

TFolderVerdict JudgeFolder(const char* pFolder)
{
  // Longer than the field: the folder could only be taken cut, as another.
  if (lstrlenA(pFolder) > FOLDER_TEXT_LIMIT) return FOLDER_INVALID;
  if (!IsValidFolderPath(pFolder)) return FOLDER_INVALID;
  // Asking a server that is out of reach would hold the dialog for the
  // network's time-out: a share is taken without a look.
  if (PathIsUNCA(pFolder)) return FOLDER_ACCEPT;
  if (GetFileAttributesA(pFolder) == INVALID_FILE_ATTRIBUTES) return FOLDER_ACCEPT;
  return FOLDER_ASK;
}

void JoinPrivacyNotice(const char* pFirst, const char* pSecond, TNoticeText& rNotice)
{
  rNotice.Clear();
  if (pFirst[0] == 0 || pSecond[0] == 0) return;
  if (!rNotice.Assign(pFirst) || !rNotice.Append(pSecond)) rNotice.Clear();
}

void LoadPrivacyNotice(TNoticeText& rNotice)
{
  TNoticeHalf first;
  TNoticeHalf second;
  if (LoadResourceText(IDS_PRIVACY_FIRST, first)) LoadResourceText(IDS_PRIVACY_SECOND, second);
  JoinPrivacyNotice(first.Text(), second.Text(), rNotice);
}

void StoreDialogChoices(const char* pFolder, bool bDesktop, bool bStartMenu)
{
  g_PreSettings.ChosenFolder.Assign(pFolder);
  g_PreSettings.DesktopChoice = bDesktop ? 1 : 0;
  g_PreSettings.StartMenuChoice = bStartMenu ? 1 : 0;
}

void CenterPosition(long nLeft, long nTop, long nRight, long nBottom, int nScreenWidth,
                    int nScreenHeight, int& rX, int& rY)
{
  int nWidth = Wrap16(nRight - nLeft);
  int nHeight = Wrap16(nBottom - nTop);
  rX = Wrap16(HalveDown((long)nScreenWidth - nWidth));
  rY = Wrap16(HalveDown((long)nScreenHeight - nHeight));
}
