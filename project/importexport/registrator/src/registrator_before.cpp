#include "registrator_before.h"

#include "bookkey.h"
#include "byteorder.h"
#include "extractiondialog.h"
#include "platform.h"
#include "preextractionsettings.h"
#include "resultfile.h"
#include "runvalues.h"
#include "settingswalk.h"

namespace {

// A TimeStamp that reads into this many bytes counts as already recorded.
const DWORD TIMESTAMP_READ_SIZE = 512;

const TSettingKey<TPreExtractionSettings> PRE_EXTRACTION_KEYS[] = {
    {"autorunbookid", COMMAND_LINE_AND_FILE, &TPreExtractionSettings::BookId},
    {"authoruserid", COMMAND_LINE_AND_FILE, &TPreExtractionSettings::UserId},
    {"authorostrelsku", COMMAND_LINE_AND_FILE, &TPreExtractionSettings::OstrelSku},
    {"authorpartnerid", COMMAND_LINE_AND_FILE, &TPreExtractionSettings::PartnerId},
    {"parametersfilepath", COMMAND_LINE_ONLY, &TPreExtractionSettings::ParametersFilePath},
};

// The current UTC time as a SYSTEMTIME's 16 little-endian bytes.
void WriteTimeStamp(HKEY hKey)
{
  SYSTEMTIME now;
  GetSystemTime(&now);
  const WORD aFields[8] = {now.wYear, now.wMonth,  now.wDayOfWeek, now.wDay,
                           now.wHour, now.wMinute, now.wSecond,    now.wMilliseconds};
  BYTE aBytes[16];
  for (int i = 0; i < 8; ++i) WriteLittleEndian(aFields[i], 2, aBytes + 2 * i);
  RegSetValueExA(hKey, "TimeStamp", 0, REG_BINARY, aBytes, sizeof(aBytes));
}

// TimeStamp keeps the first recording: only a key without a readable one
// gets the current time.
void KeepOrWriteTimeStamp(TRegKey& rBook)
{
  BYTE aStored[TIMESTAMP_READ_SIZE];
  DWORD nCount = sizeof(aStored);
  if (rBook.QueryValue(aStored, "TimeStamp", &nCount) != ERROR_SUCCESS)
    WriteTimeStamp(rBook.m_hKey);
}

void WriteBookValues(TRegKey& rBook)
{
  rBook.SetValue(g_PreSettings.UserId.Text(), "UserID");
  rBook.SetValue(g_PreSettings.OstrelSku.Text(), "OstrelSKU");
  rBook.SetValue(g_PreSettings.PartnerId.Text(), "PartnerID");
  KeepOrWriteTimeStamp(rBook);
  rBook.SetValue((DWORD)(g_PreSettings.DesktopChoice ? 1 : 0), "ShortcutOnDesktop");
  rBook.SetValue((DWORD)(g_PreSettings.StartMenuChoice ? 1 : 0), "ShortcutInWindowsStartMenu");
}

}  // namespace

int PreExtractionOptionCallback(const char* pKey, const char* pValue)
{
  TakeSetting(PRE_EXTRACTION_KEYS, g_PreSettings, pKey, pValue, false);
  return 1;
}

int PreExtractionParamCallback(const char* pSection, const char* pKey, const char* pValue)
{
  TakeFileSetting(PRE_EXTRACTION_KEYS, g_PreSettings, pSection, pKey, pValue);
  return 1;
}

TPreExtractionRunner::TPreExtractionRunner()
{
  g_PreSettings.BookId.Clear();
  g_PreSettings.UserId.Clear();
  g_PreSettings.OstrelSku.Clear();
  g_PreSettings.PartnerId.Clear();
  g_PreSettings.ParametersFilePath.Clear();
  g_PreSettings.ChosenFolder.Clear();
  // The dialog opens with both boxes ticked.
  g_PreSettings.DesktopChoice = 1;
  g_PreSettings.StartMenuChoice = 1;
}

int TPreExtractionRunner::Run(const char* pCommandLine)
{
  switch (WalkSettings(pCommandLine, PreExtractionOptionCallback, g_PreSettings.ParametersFilePath,
                       PreExtractionParamCallback)) {
    case SETTINGS_REFUSED: return 0;
    case SETTINGS_STOPPED: return 1;
    case SETTINGS_DONE: break;
  }
  if (!ShowExtractionDialog()) return 0;
  WriteReferralRecord();
  HandOverCustomPath();
  return 1;
}

int WriteReferralRecord()
{
  if (g_PreSettings.BookId.IsEmpty()) return 1;
  TRegKey referrals;
  TRegKey book;
  if (OpenBookKey(g_PreSettings.BookId.Text(), BOOK_KEY_CREATE, KEY_READ | KEY_WRITE, referrals,
                  book) == ERROR_SUCCESS)
    WriteBookValues(book);
  return 1;
}

int HandOverCustomPath()
{
  if (!g_RunValues.RtpFileName.IsEmpty() && !g_PreSettings.ChosenFolder.IsEmpty())
    WriteResultValue(g_RunValues.RtpFileName.Text(), "CustomPath",
                     g_PreSettings.ChosenFolder.Text());
  return 1;
}
