// Windows: a stand-in browser for the tests. It appends its own command
// line, and a line end, to the file named by EXTRACTPANEL_FAKEBROWSER_LOG.
#include <windows.h>

#include <string>

int main()
{
  char aLog[MAX_PATH];
  DWORD dwLength = GetEnvironmentVariableA("EXTRACTPANEL_FAKEBROWSER_LOG", aLog, MAX_PATH);
  if (dwLength == 0 || dwLength >= MAX_PATH) return 2;
  std::string record = GetCommandLineA();
  record += "\r\n";
  HANDLE hLog = CreateFileA(aLog, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, 0, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, 0);
  if (hLog == INVALID_HANDLE_VALUE) return 3;
  DWORD dwWritten = 0;
  BOOL bWritten = WriteFile(hLog, record.data(), (DWORD)record.size(), &dwWritten, 0);
  CloseHandle(hLog);
  return bWritten ? 0 : 4;
}
