// The extraction dialog's decisions, apart from any window: where its
// default folder comes from, how a typed folder is judged, the privacy
// notice, what an accepted OK stores and where the window is centred. The
// window (Windows) and the text form (POSIX terminals) only move data
// between the reader and these functions.
#ifndef EXTRACTPANEL_EXTRACTIONDIALOG_H
#define EXTRACTPANEL_EXTRACTIONDIALOG_H

#include "fixedtext.h"
#include "platform.h"
#include "resource.h"
#include "resourcetext.h"

typedef TFixedText<1024> TMessageText;
typedef TFixedText<2048> TNoticeHalf;
typedef TFixedText<4096> TNoticeText;

// One source of the default folder: 1, and the value in rFolder, when the
// result file holds the key with a value that is not empty and fits the
// 260-character field; otherwise 0 and rFolder untouched.
int ReadFolderSource(const char* pResultFile, const char* pKey, TPathText& rFolder);

// CustomPath, then ExePath of the result file (when one is named); "c:\"
// when neither gives a folder.
void GetDefaultFolder(const char* pResultFile, TPathText& rFolder);

// The folder text as read from the edit: room for the FOLDER_TEXT_LIMIT
// bytes that a folder may have, one double-byte character more and the
// terminator. However a read cuts a longer text (a cut falls between whole
// characters), it still reads as longer than the limit, and is refused
// instead of being taken as the shorter folder it was cut to.
typedef TFixedText<FOLDER_TEXT_LIMIT + 3> TFolderText;

enum TFolderVerdict {
  FOLDER_ACCEPT,  // nothing there yet: take it as it is
  FOLDER_INVALID,  // refuse, with the invalid-path message
  FOLDER_ASK  // something exists there: ask before taking it
};
// A share is taken without a look: its server may be out of reach.
TFolderVerdict JudgeFolder(const char* pFolder);

// Both halves joined, or nothing when either is empty.
void JoinPrivacyNotice(const char* pFirst, const char* pSecond, TNoticeText& rNotice);
void LoadPrivacyNotice(TNoticeText& rNotice);

// The dialog itself (a window on Windows, a text form on POSIX terminals):
// true only when it ended with OK.
bool ShowExtractionDialog();

// An accepted OK: the folder and the two choices (1 ticked, 0 not) go into
// the pre-extraction settings.
void StoreDialogChoices(const char* pFolder, bool bDesktop, bool bStartMenu);

// The top-left corner that centres a window of the given rectangle on a
// screen of the given size, with the 16-bit arithmetic of the window
// manager's coordinates: sizes and results wrap to signed 16 bits and the
// halving rounds towards minus infinity.
void CenterPosition(long nLeft, long nTop, long nRight, long nBottom, int nScreenWidth,
                    int nScreenHeight, int& rX, int& rY);

#endif
