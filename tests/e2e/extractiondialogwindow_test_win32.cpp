// Windows only: mode 1 from end to end. The test starts extractpanel.exe,
// finds its dialog across processes and drives it as a reader would, then
// reads what the run left in the registry and the result file.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "process.h"
#include "stringtable.h"
#include "tempfolder.h"
#include "testregistry.h"

namespace {

const char DIALOG_CAPTION[] = "Ostrelbook Extraction";
const char MESSAGE_CLASS[] = "#32770";
const int MESSAGE_TEXT_ID = 0xFFFF;

HWND WaitForWindow(const char* windowClass, const char* caption, int milliseconds = 20000)
{
  for (int waited = 0; waited <= milliseconds; waited += 50) {
    HWND hWnd = FindWindowA(windowClass, caption);
    if (hWnd != 0 && IsWindowVisible(hWnd)) return hWnd;
    Sleep(50);
  }
  return 0;
}

bool WaitUntilGone(HWND hWnd, int milliseconds = 10000)
{
  for (int waited = 0; waited <= milliseconds; waited += 50) {
    if (!IsWindow(hWnd)) return true;
    Sleep(50);
  }
  return false;
}

std::string ItemText(HWND hParent, int id)
{
  char text[8192] = "";
  GetDlgItemTextA(hParent, id, text, sizeof text);
  return text;
}

// Posted, not sent: a click that opens a modal box would not come back.
void Click(HWND hParent, int id) { PostMessageA(GetDlgItem(hParent, id), BM_CLICK, 0, 0); }

LRESULT CheckState(HWND hParent, int id)
{
  return SendDlgItemMessageA(hParent, id, BM_GETCHECK, 0, 0);
}

// A check box click opens nothing, so it can be sent and its effect read.
void Toggle(HWND hParent, int id) { SendDlgItemMessageA(hParent, id, BM_CLICK, 0, 0); }

std::string ProfileValue(const std::string& file, const char* key)
{
  char value[1024];
  GetPrivateProfileStringA("ADRTP", key, "(missing)", value, sizeof value, file.c_str());
  return value;
}

// One run of the program in mode 1, with its dialog.
class TDialogRun
{
public:
  explicit TDialogRun(const std::string& commandLine)
  {
    m_Result = std::async(std::launch::async, [commandLine] {
      return StartAndWaitCommandLine(ProgramUnderTest(), commandLine);
    });
    m_hDialog = WaitForWindow(MESSAGE_CLASS, DIALOG_CAPTION);
  }
  ~TDialogRun()
  {
    if (m_Result.valid() && !Ended(0)) {
      if (IsWindow(m_hDialog)) PostMessageA(m_hDialog, WM_COMMAND, IDCANCEL, 0);
      m_Result.wait();
    }
  }

  HWND Dialog() const { return m_hDialog; }
  bool Ended(int milliseconds)
  {
    return m_Result.wait_for(std::chrono::milliseconds(milliseconds)) == std::future_status::ready;
  }
  TProcessResult Result()
  {
    if (!Ended(30000)) return TProcessResult();
    return m_Result.get();
  }

private:
  std::future<TProcessResult> m_Result;
  HWND m_hDialog = 0;
};

class ExtractionDialogWindow : public ::testing::Test
{
protected:
  void SetUp() override
  {
    m_BookId = UniqueRegistryName("dialogtest");
    m_ResultFile = m_Temp.File("run.rtp");
    m_ExePath = m_Temp.File("exe folder");
  }
  void TearDown() override { DeleteRegistryTree(HKEY_CURRENT_USER, BookKey().c_str()); }

  std::string CommandLine(const std::string& extra = "") const
  {
    return "-mode 1 -rtpfilename \"" + m_ResultFile + "\" -autorunbookid " + m_BookId + " " + extra;
  }
  void WriteExePath() const
  {
    WritePrivateProfileStringA("ADRTP", "ExePath", m_ExePath.c_str(), m_ResultFile.c_str());
  }
  std::string BookKey() const { return REFERRALS + "\\" + m_BookId; }
  // A new folder in the scratch folder, its name made of unit (one or two
  // bytes) and padded with 'a' to exactly that many bytes.
  std::string FolderOfBytes(size_t bytes, const std::string& unit) const
  {
    std::string folder = m_Temp.File("a");
    while (folder.size() + unit.size() <= bytes) folder += unit;
    folder.resize(bytes, 'a');
    return folder;
  }
  // OK answered with the invalid-folder message, and the dialog staying
  // open once it is clicked away.
  static void ExpectOkRefused(TDialogRun& rRun)
  {
    HWND hDialog = rRun.Dialog();
    Click(hDialog, IDOK);
    HWND hMessage = WaitForWindow(MESSAGE_CLASS, "Invalid path");
    ASSERT_NE(HWND(0), hMessage);
    EXPECT_EQ(hDialog, GetWindow(hMessage, GW_OWNER));
    EXPECT_EQ(IDS_INVALID_TEXT_TEXT, ItemText(hMessage, MESSAGE_TEXT_ID));
    Click(hMessage, IDOK);
    ASSERT_TRUE(WaitUntilGone(hMessage));
    EXPECT_FALSE(rRun.Ended(300));
  }
  // Each text is refused, the dialog keeping the text as set; then the
  // folder is taken whole.
  void RefuseEachThenTake(const std::vector<std::string>& refused, const std::string& folder)
  {
    TDialogRun run(CommandLine());
    HWND hDialog = run.Dialog();
    ASSERT_NE(HWND(0), hDialog);
    for (const std::string& text : refused) {
      SetDlgItemTextA(hDialog, 2000, text.c_str());
      ExpectOkRefused(run);
      EXPECT_EQ(text, ItemText(hDialog, 2000));
    }
    SetDlgItemTextA(hDialog, 2000, folder.c_str());
    Click(hDialog, IDOK);
    EXPECT_EQ(1, run.Result().ExitStatus);
    EXPECT_EQ(folder, ProfileValue(m_ResultFile, "CustomPath"));
  }
  TRegistryValue Value(const char* name) const
  {
    return ReadRegistryValue(HKEY_CURRENT_USER, BookKey(), name);
  }

  TTempFolder m_Temp;
  std::string m_BookId;
  std::string m_ResultFile;
  std::string m_ExePath;
};

}  // namespace

TEST_F(ExtractionDialogWindow, OpensOnTheResultFileAndTakesANewFolder)
{
  WriteExePath();
  std::string folder = m_Temp.File("new book");
  TDialogRun run(CommandLine("-authorostrelsku \"SKU-9\" -authorpartnerid partner"));
  HWND hDialog = run.Dialog();
  ASSERT_NE(HWND(0), hDialog);

  EXPECT_EQ(m_ExePath, ItemText(hDialog, 2000));
  EXPECT_EQ(259, SendDlgItemMessageA(hDialog, 2000, EM_GETLIMITTEXT, 0, 0));
  GUITHREADINFO gui = {};
  gui.cbSize = sizeof gui;
  ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(hDialog, 0), &gui));
  EXPECT_EQ(GetDlgItem(hDialog, 2000), gui.hwndFocus);
  EXPECT_EQ(BST_CHECKED, CheckState(hDialog, 2002));
  EXPECT_EQ(BST_CHECKED, CheckState(hDialog, 2003));
  EXPECT_EQ(std::string(IDS_PRIVACY_FIRST_TEXT) + IDS_PRIVACY_SECOND_TEXT, ItemText(hDialog, 2004));
  RECT rect;
  GetWindowRect(hDialog, &rect);
  EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - (rect.right - rect.left)) / 2, rect.left);
  EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - (rect.bottom - rect.top)) / 2, rect.top);

  SetDlgItemTextA(hDialog, 2000, folder.c_str());
  Toggle(hDialog, 2002);
  EXPECT_EQ(BST_UNCHECKED, CheckState(hDialog, 2002));
  Toggle(hDialog, 2003);
  Toggle(hDialog, 2003);
  EXPECT_EQ(BST_CHECKED, CheckState(hDialog, 2003));
  Click(hDialog, IDOK);
  TProcessResult result = run.Result();
  EXPECT_EQ(1, result.ExitStatus) << result.Output;
  EXPECT_EQ(folder, ProfileValue(m_ResultFile, "CustomPath"));
  EXPECT_EQ("0", ProfileValue(m_ResultFile, "ExitCode"));
  EXPECT_EQ(m_ExePath, ProfileValue(m_ResultFile, "ExePath"));

  TRegistryValue user = Value("UserID");
  EXPECT_EQ(DWORD(REG_SZ), user.Type);
  EXPECT_EQ(std::string(1, '\0'), user.Bytes);
  TRegistryValue sku = Value("OstrelSKU");
  EXPECT_EQ(DWORD(REG_SZ), sku.Type);
  EXPECT_EQ(std::string("SKU-9", 6), sku.Bytes);
  EXPECT_EQ(std::string("partner", 8), Value("PartnerID").Bytes);
  TRegistryValue stamp = Value("TimeStamp");
  EXPECT_EQ(DWORD(REG_BINARY), stamp.Type);
  EXPECT_EQ(16u, stamp.Bytes.size());
  TRegistryValue desktop = Value("ShortcutOnDesktop");
  EXPECT_EQ(DWORD(REG_DWORD), desktop.Type);
  EXPECT_EQ(DwordBytes(0), desktop.Bytes);
  TRegistryValue startMenu = Value("ShortcutInWindowsStartMenu");
  EXPECT_EQ(DWORD(REG_DWORD), startMenu.Type);
  EXPECT_EQ(DwordBytes(1), startMenu.Bytes);

  // The same book again: the dialog now opens on the handed-over folder,
  // and the record keeps its first TimeStamp.
  std::string second = m_Temp.File("second book");
  TDialogRun again(CommandLine("-authoruserid u2"));
  ASSERT_NE(HWND(0), again.Dialog());
  EXPECT_EQ(folder, ItemText(again.Dialog(), 2000));
  EXPECT_EQ(BST_CHECKED, CheckState(again.Dialog(), 2002));
  SetDlgItemTextA(again.Dialog(), 2000, second.c_str());
  Click(again.Dialog(), IDOK);
  EXPECT_EQ(1, again.Result().ExitStatus);
  EXPECT_EQ(second, ProfileValue(m_ResultFile, "CustomPath"));
  EXPECT_EQ(stamp.Bytes, Value("TimeStamp").Bytes);
  EXPECT_EQ(std::string("u2", 3), Value("UserID").Bytes);
  EXPECT_EQ(std::string(1, '\0'), Value("OstrelSKU").Bytes);
  EXPECT_EQ(DwordBytes(1), Value("ShortcutOnDesktop").Bytes);
}

TEST_F(ExtractionDialogWindow, AnExistingFolderIsAskedAboutNoStaysYesTakes)
{
  std::string existing = m_Temp.MakeFolder("existing");
  TDialogRun run(CommandLine());
  HWND hDialog = run.Dialog();
  ASSERT_NE(HWND(0), hDialog);
  EXPECT_EQ("c:\\", ItemText(hDialog, 2000));  // no ExePath in the result file
  SetDlgItemTextA(hDialog, 2000, existing.c_str());

  Click(hDialog, IDOK);
  HWND hQuestion = WaitForWindow(MESSAGE_CLASS, "Path confirmation");
  ASSERT_NE(HWND(0), hQuestion);
  EXPECT_EQ(hDialog, GetWindow(hQuestion, GW_OWNER));
  EXPECT_EQ(IDS_EXISTS_TEXT_TEXT, ItemText(hQuestion, MESSAGE_TEXT_ID));
  Click(hQuestion, IDNO);
  ASSERT_TRUE(WaitUntilGone(hQuestion));
  EXPECT_FALSE(run.Ended(300));
  EXPECT_EQ(existing, ItemText(hDialog, 2000));

  Click(hDialog, IDOK);
  hQuestion = WaitForWindow(MESSAGE_CLASS, "Path confirmation");
  ASSERT_NE(HWND(0), hQuestion);
  Click(hQuestion, IDYES);
  EXPECT_EQ(1, run.Result().ExitStatus);
  EXPECT_EQ(existing, ProfileValue(m_ResultFile, "CustomPath"));
}

// 300 characters, set past the edit's limit, are refused rather than read
// as their first 259; 259 are taken whole.
TEST_F(ExtractionDialogWindow, AnInvalidFolderIsRefusedWithItsMessage)
{
  RefuseEachThenTake({"C:\\bad|name", "C:\\" + std::string(297, 'x')}, FolderOfBytes(259, "n"));
}

TEST_F(ExtractionDialogWindow, CancelAndTheCloseBoxWriteNothingAndFail)
{
  WriteExePath();
  {
    TDialogRun run(CommandLine("-authoruserid someone"));
    ASSERT_NE(HWND(0), run.Dialog());
    SetDlgItemTextA(run.Dialog(), 2000, m_Temp.File("never").c_str());
    Click(run.Dialog(), IDCANCEL);
    TProcessResult result = run.Result();
    EXPECT_EQ(0, result.ExitStatus) << result.Output;
  }
  EXPECT_EQ("3", ProfileValue(m_ResultFile, "ExitCode"));
  EXPECT_EQ("(missing)", ProfileValue(m_ResultFile, "CustomPath"));
  EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, BookKey()));

  WritePrivateProfileStringA("ADRTP", "ExitCode", 0, m_ResultFile.c_str());
  {
    TDialogRun run(CommandLine());
    ASSERT_NE(HWND(0), run.Dialog());
    PostMessageA(run.Dialog(), WM_CLOSE, 0, 0);
    EXPECT_EQ(0, run.Result().ExitStatus);
  }
  EXPECT_EQ("3", ProfileValue(m_ResultFile, "ExitCode"));
  EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, BookKey()));
}

TEST_F(ExtractionDialogWindow, ACancelledBrowserLeavesTheFolderAsTyped)
{
  std::string typed = m_Temp.MakeFolder("start here");
  TDialogRun run(CommandLine());
  HWND hDialog = run.Dialog();
  ASSERT_NE(HWND(0), hDialog);
  SetDlgItemTextA(hDialog, 2000, typed.c_str());
  Click(hDialog, 2001);
  HWND hBrowser = WaitForWindow(MESSAGE_CLASS, "Choose Folder");
  ASSERT_NE(HWND(0), hBrowser);
  EXPECT_EQ(hDialog, GetWindow(hBrowser, GW_OWNER));
  EXPECT_EQ("OK", ItemText(hBrowser, IDOK));
  EXPECT_EQ("Cancel", ItemText(hBrowser, IDCANCEL));
  Click(hBrowser, IDCANCEL);
  ASSERT_TRUE(WaitUntilGone(hBrowser));
  EXPECT_EQ(typed, ItemText(hDialog, 2000));
  EXPECT_FALSE(run.Ended(200));
  Click(hDialog, IDCANCEL);
  EXPECT_EQ(0, run.Result().ExitStatus);
}

// Wine takes its ANSI code page from the locale, which ctest sets for the
// suites below; run elsewhere they skip, unless told to expect it.
class ExtractionDialogWindowInCodePage : public ExtractionDialogWindow
{
protected:
  ExtractionDialogWindowInCodePage(UINT nCodePage, const char* pExpectVariable)
      : m_nCodePage(nCodePage), m_pExpectVariable(pExpectVariable)
  {}
  void SetUp() override
  {
    ExtractionDialogWindow::SetUp();
    if (GetACP() == m_nCodePage) return;
    if (std::getenv(m_pExpectVariable)) FAIL() << "the ANSI code page is " << GetACP();
    GTEST_SKIP() << "the ANSI code page is " << GetACP() << ", not " << m_nCodePage;
  }

private:
  UINT m_nCodePage;
  const char* m_pExpectVariable;
};

// A Japanese locale (code page 932), where the edit's characters are up to
// two bytes each.
class ExtractionDialogWindowDoubleByte : public ExtractionDialogWindowInCodePage
{
protected:
  ExtractionDialogWindowDoubleByte()
      : ExtractionDialogWindowInCodePage(932, "EP_EXPECT_DOUBLE_BYTE")
  {}
};

// C:\ then 140 kanji then \Atlas: 149 characters, within the edit's limit,
// but 289 bytes. Read as 259 bytes it would end after 128 kanji, a valid
// and different folder.
TEST_F(ExtractionDialogWindowDoubleByte, AFolderLongerThanTheFieldInBytesIsRefused)
{
  const std::string kanji = "\x8A\xBF";
  std::string tooLong = "C:\\";
  for (int i = 0; i < 140; ++i) tooLong += kanji;
  tooLong += "\\Atlas";
  RefuseEachThenTake({tooLong}, FolderOfBytes(259, kanji));
}

// A share is never looked at before the reader is answered: an unreachable
// server would hold the dialog for the network's time-out.
TEST_F(ExtractionDialogWindow, AShareIsTakenAtOnce)
{
  const char share[] = "\\\\nohost.invalid\\books\\Atlas";
  TDialogRun run(CommandLine());
  ASSERT_NE(HWND(0), run.Dialog());
  SetDlgItemTextA(run.Dialog(), 2000, share);
  Click(run.Dialog(), IDOK);
  EXPECT_TRUE(run.Ended(5000));
  EXPECT_EQ(1, run.Result().ExitStatus);
  EXPECT_EQ(share, ProfileValue(m_ResultFile, "CustomPath"));
}

// A paste that the edit cut at its limit shows a folder the reader never
// chose: refused until the text is changed.
TEST_F(ExtractionDialogWindow, APasteCutAtTheLimitIsRefusedUntilChanged)
{
  std::string folder = m_Temp.File("pasted");
  std::string pasted = folder + "\\" + std::string(300, 'x');
  TDialogRun run(CommandLine());
  HWND hDialog = run.Dialog();
  ASSERT_NE(HWND(0), hDialog);
  SendDlgItemMessageA(hDialog, 2000, EM_SETSEL, 0, -1);
  SendDlgItemMessageA(hDialog, 2000, EM_REPLACESEL, FALSE, (LPARAM)pasted.c_str());
  ASSERT_EQ(pasted.substr(0, 259), ItemText(hDialog, 2000));
  ExpectOkRefused(run);
  SetDlgItemTextA(hDialog, 2000, folder.c_str());
  Click(hDialog, IDOK);
  EXPECT_EQ(1, run.Result().ExitStatus);
  EXPECT_EQ(folder, ProfileValue(m_ResultFile, "CustomPath"));
}

// The C.UTF-8 locale, which Wine reads as code page 1252 while its file
// names keep every character. There a Polish name has best-fit look-alikes:
// Łódź reads as Lódz.
class ExtractionDialogWindowWestern : public ExtractionDialogWindowInCodePage
{
protected:
  ExtractionDialogWindowWestern() : ExtractionDialogWindowInCodePage(1252, "EP_EXPECT_WESTERN") {}
  static std::wstring Wide(const std::string& text)
  {
    wchar_t wide[MAX_PATH * 2] = L"";
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide, MAX_PATH * 2);
    return wide;
  }
  static std::wstring WideItemText(HWND hParent, int id)
  {
    wchar_t text[1024] = L"";
    GetDlgItemTextW(hParent, id, text, 1024);
    return text;
  }
};

// A folder picked under a name outside the code page, with a new folder
// typed after it, is handed over as the picked folder's short form and the
// new name; the picked folder keeps its name in the edit, and nothing is
// made. A new name outside the code page has no form there and is refused.
TEST_F(ExtractionDialogWindowWestern, ANameOutsideTheCodePageIsNeverALookAlike)
{
  std::wstring lodz = Wide(m_Temp.Path()) + L"\\\u0141\u00f3d\u017a";
  ASSERT_TRUE(CreateDirectoryW(lodz.c_str(), 0));
  TDialogRun run(CommandLine());
  HWND hDialog = run.Dialog();
  ASSERT_NE(HWND(0), hDialog);

  SetDlgItemTextW(hDialog, 2000, (lodz + L"\\\u0141ad").c_str());
  ExpectOkRefused(run);

  SetDlgItemTextW(hDialog, 2000, lodz.c_str());
  Click(hDialog, 2001);
  HWND hBrowser = WaitForWindow(MESSAGE_CLASS, "Choose Folder");
  ASSERT_NE(HWND(0), hBrowser);
  Sleep(500);  // the selection is set after the browser shows
  Click(hBrowser, IDOK);
  ASSERT_TRUE(WaitUntilGone(hBrowser));
  EXPECT_EQ(lodz, WideItemText(hDialog, 2000));

  SetDlgItemTextW(hDialog, 2000, (lodz + L"\\Atlas").c_str());
  Click(hDialog, IDOK);
  TProcessResult result = run.Result();
  EXPECT_EQ(1, result.ExitStatus) << result.Output;
  std::string custom = ProfileValue(m_ResultFile, "CustomPath");
  const std::string atlas = "\\Atlas";
  ASSERT_GT(custom.size(), atlas.size());
  EXPECT_EQ(atlas, custom.substr(custom.size() - atlas.size())) << custom;
  wchar_t named[MAX_PATH] = L"";
  GetLongPathNameW(Wide(custom.substr(0, custom.size() - atlas.size())).c_str(), named, MAX_PATH);
  EXPECT_EQ(lodz, named) << custom;
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW((lodz + L"\\Atlas").c_str()));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(m_Temp
                                                            .File("L\xf3"
                                                                  "dz")
                                                            .c_str()));
  RemoveDirectoryW(lodz.c_str());
}
