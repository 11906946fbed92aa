// POSIX only: the extraction dialog as a text form on a terminal. Without a
// terminal on standard input and output it cannot be shown.
#include "extractiondialog.h"

#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include "preextractionsettings.h"
#include "resource.h"
#include "runvalues.h"
#include "stringtable.h"
#include "textcompare.h"

namespace {

enum TAnswer { ANSWER_NO = 0, ANSWER_YES = 1, ANSWER_END = -1 };

// Writes a resource text with its CR LF line ends as the terminal's LF.
void PutText(const char* pText)
{
  for (; *pText; ++pText)
    if (!(pText[0] == '\r' && pText[1] == '\n')) fputc(*pText, stdout);
}

// One line of input without its line end; false at the end of input.
bool ReadLine(TFixedText<1024>& rLine)
{
  fflush(stdout);
  char* pLine = 0;
  size_t nSize = 0;
  ssize_t nRead = getline(&pLine, &nSize, stdin);
  if (nRead < 0) {
    free(pLine);
    return false;
  }
  while (nRead > 0 && (pLine[nRead - 1] == '\n' || pLine[nRead - 1] == '\r')) pLine[--nRead] = 0;
  // A line too long for the field is kept to what the field takes.
  if (nRead >= 1024) pLine[1023] = 0;
  rLine.Assign(pLine);
  free(pLine);
  return true;
}

// y/yes or n/no in any case; an empty answer takes the default. Asks again
// on anything else.
TAnswer AskYesNo(const char* pQuestion, bool bDefault)
{
  for (;;) {
    printf("%s [%s]: ", pQuestion, bDefault ? "Y/n" : "y/N");
    TFixedText<1024> line;
    if (!ReadLine(line)) return ANSWER_END;
    const char* pAnswer = line.Text();
    if (pAnswer[0] == 0) return bDefault ? ANSWER_YES : ANSWER_NO;
    if (EqualsNoCase(pAnswer, "y") || EqualsNoCase(pAnswer, "yes")) return ANSWER_YES;
    if (EqualsNoCase(pAnswer, "n") || EqualsNoCase(pAnswer, "no")) return ANSWER_NO;
  }
}

// OK (the default button) or Cancel; ANSWER_END at the end of input.
TAnswer AskOkCancel()
{
  for (;;) {
    printf("OK or Cancel [O/c]: ");
    TFixedText<1024> line;
    if (!ReadLine(line)) return ANSWER_END;
    const char* pAnswer = line.Text();
    if (pAnswer[0] == 0 || EqualsNoCase(pAnswer, "o") || EqualsNoCase(pAnswer, "ok"))
      return ANSWER_YES;
    if (EqualsNoCase(pAnswer, "c") || EqualsNoCase(pAnswer, "cancel")) return ANSWER_NO;
  }
}

// Enter keeps the folder shown. A typed folder too long for the field is
// kept too long, as the window's read keeps it, so that the check refuses it.
bool AskFolder(TFolderText& rFolder)
{
  printf("%s [%s]: ", IDC_FOLDER_LABEL_TEXT, rFolder.Text());
  TFixedText<1024> line;
  if (!ReadLine(line)) return false;
  if (line.IsEmpty()) return true;
  if (line.GetLength() >= TFolderText::CAPACITY) line.Buffer()[TFolderText::CAPACITY - 1] = 0;
  rFolder.Assign(line.Text());
  return true;
}

void ShowMessage(UINT nCaption, UINT nText)
{
  TMessageText caption;
  TMessageText text;
  LoadResourceText(nCaption, caption);
  LoadResourceText(nText, text);
  printf("\n%s\n", caption.Text());
  PutText(text.Text());
  printf("\n");
}

// ANSWER_YES to take the folder, ANSWER_NO to stay, ANSWER_END to end.
TAnswer CheckFolder(const char* pFolder)
{
  switch (JudgeFolder(pFolder)) {
    case FOLDER_ACCEPT: return ANSWER_YES;
    case FOLDER_INVALID:
      ShowMessage(IDS_INVALID_CAPTION, IDS_INVALID_TEXT);
      printf("\n");
      return ANSWER_NO;
    case FOLDER_ASK: break;
  }
  ShowMessage(IDS_EXISTS_CAPTION, IDS_EXISTS_TEXT);
  TAnswer eAnswer = AskYesNo("Yes or No", true);
  printf("\n");
  return eAnswer;
}

void ShowHeading(const char* pFolder)
{
  printf("%s\n\n%s\n%s\n\n%s\n", IDD_EXTRACTION_CAPTION, IDC_FOLDER_LABEL_TEXT, pFolder,
         IDC_PRIVACY_LABEL_TEXT);
  TNoticeText notice;
  LoadPrivacyNotice(notice);
  PutText(notice.Text());
  printf("\n\n");
}

}  // namespace

bool ShowExtractionDialog()
{
  if (!isatty(STDIN_FILENO) || !isatty(STDOUT_FILENO)) return false;
  TPathText start;
  GetDefaultFolder(g_RunValues.RtpFileName.Text(), start);
  TFolderText folder;
  folder.Assign(start.Text());
  bool bDesktop = g_PreSettings.DesktopChoice != 0;
  bool bStartMenu = g_PreSettings.StartMenuChoice != 0;
  ShowHeading(folder.Text());
  for (;;) {
    if (!AskFolder(folder)) return false;
    TAnswer eDesktop = AskYesNo(IDC_DESKTOP_TEXT, bDesktop);
    if (eDesktop == ANSWER_END) return false;
    bDesktop = eDesktop == ANSWER_YES;
    TAnswer eStartMenu = AskYesNo(IDC_STARTMENU_TEXT, bStartMenu);
    if (eStartMenu == ANSWER_END) return false;
    bStartMenu = eStartMenu == ANSWER_YES;
    TAnswer eOk = AskOkCancel();
    if (eOk != ANSWER_YES) return false;
    TAnswer eCheck = CheckFolder(folder.Text());
    if (eCheck == ANSWER_END) return false;
    if (eCheck == ANSWER_YES) {
      StoreDialogChoices(folder.Text(), bDesktop, bStartMenu);
      return true;
    }
  }
}
