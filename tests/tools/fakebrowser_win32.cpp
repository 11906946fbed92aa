// Windows: a stand-in browser for the tests. It appends its own command
// line, as the process got it (wide, in UTF-8), and a line end, to the file
// named by EXTRACTPANEL_FAKEBROWSER_LOG. A test may take the log away
// while a launch it has already read still holds it open.
#include <windows.h>

#include <string>

int main()
{
  char aLog[MAX_PATH];
  DWORD dwLength = GetEnvironmentVariableA("EXTRACTPANEL_FAKEBROWSER_LOG", aLog, MAX_PATH);
  if (dwLength == 0 || dwLength >= MAX_PATH) return 2;
  const wchar_t* pLine = GetCommandLineW();
  int nSize = WideCharToMultiByte(CP_UTF8, 0, pLine, -1, nullptr, 0, nullptr, nullptr);
  if (nSize <= 0) return 5;
  std::string record(nSize - 1, '\0');
  WideCharToMultiByte(CP_UTF8, 0, pLine, -1, &record[0], nSize, nullptr, nullptr);
  record += "\r\n";
  const DWORD dwShare = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  HANDLE hLog =
      CreateFileA(aLog, FILE_APPEND_DATA, dwShare, 0, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, 0);
  if (hLog == INVALID_HANDLE_VALUE) return 3;
  DWORD dwWritten = 0;
  BOOL bWritten = WriteFile(hLog, record.data(), (DWORD)record.size(), &dwWritten, 0);
  CloseHandle(hLog);
  return bWritten ? 0 : 4;
}
