// Kernel services: module handle, last error, time, files and folders,
// the environment and the system's folders, text comparison, double-byte
// characters, message formatting.
#ifndef EXTRACTPANEL_PLATFORM_KERNEL_H
#define EXTRACTPANEL_PLATFORM_KERNEL_H

#include "platform_types.h"

HMODULE GetModuleHandleA(LPCSTR lpModuleName);

DWORD GetLastError(void);
void SetLastError(DWORD dwError);

void GetSystemTime(LPSYSTEMTIME lpSystemTime);

DWORD GetFileAttributesA(LPCSTR lpFileName);
BOOL CreateDirectoryA(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES lpSecurityAttributes);

// Files are only made for writing: CREATE_NEW, else CREATE_ALWAYS, never
// through a symbolic link when FILE_FLAG_OPEN_REPARSE_POINT is given.
// Sharing, security and template are not looked at.
HANDLE CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                   LPSECURITY_ATTRIBUTES lpSecurityAttributes, DWORD dwCreationDisposition,
                   DWORD dwFlagsAndAttributes, HANDLE hTemplateFile);
BOOL WriteFile(HANDLE hFile, const void* lpBuffer, DWORD nNumberOfBytesToWrite,
               LPDWORD lpNumberOfBytesWritten, void* lpOverlapped);
BOOL GetFileInformationByHandle(HANDLE hFile, LPBY_HANDLE_FILE_INFORMATION lpFileInformation);
BOOL CloseHandle(HANDLE hObject);
BOOL DeleteFileA(LPCSTR lpFileName);

// %NAME% references worked out from the process environment, the name
// matched without regard to case; one that is not set stays as written.
DWORD ExpandEnvironmentStringsA(LPCSTR lpSrc, LPSTR lpDst, DWORD nSize);
// The folders of the system's own programs: $EXTRACTPANEL_SYSTEM_DIR, else
// /usr/bin, and $EXTRACTPANEL_WINDOWS_DIR, else /bin.
UINT GetSystemDirectoryA(LPSTR lpBuffer, UINT uSize);
UINT GetWindowsDirectoryA(LPSTR lpBuffer, UINT uSize);

// The program only asks whether two texts are equal: a difference is
// ordered by its bytes, not by the system's word order.
int lstrcmpA(LPCSTR lpString1, LPCSTR lpString2);
int lstrcmpiA(LPCSTR lpString1, LPCSTR lpString2);
int lstrlenA(LPCSTR lpString);

// Double-byte code pages: the lead bytes of the ANSI code page, which is
// taken from the locale's character set (none in single-byte sets and UTF-8).
BOOL IsDBCSLeadByte(BYTE TestChar);
LPSTR CharNextA(LPCSTR lpsz);

#define FORMAT_MESSAGE_ALLOCATE_BUFFER 0x00000100
#define FORMAT_MESSAGE_FROM_STRING 0x00000400
#define FORMAT_MESSAGE_ARGUMENT_ARRAY 0x00002000

// Only the program's call, whatever the flags say: these three, one text
// insert, %1, and no "!fmt!": the program escapes every other insert.
DWORD FormatMessageA(DWORD dwFlags, const void* lpSource, DWORD dwMessageId, DWORD dwLanguageId,
                     LPSTR lpBuffer, DWORD nSize, void* Arguments);
void* LocalFree(void* hMem);

#endif
