#include "openbook.h"

#include <stdarg.h>
#include <string.h>

#include "platform.h"
#include "shellclass.h"
#include "tpath.h"
#include "tregkey.h"

namespace {

bool Succeeded(HINSTANCE hResult) { return (INT_PTR)hResult > 32; }

// Since Windows 8 the reader's own choice for .htm pages is kept only here;
// the Hash beside it is Windows' own and is never looked at.
const char USER_CHOICE[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.htm\\UserChoice";

// The open command of a class into rCommand.
bool ReadOpenCommand(const char* pClass, TText& rCommand)
{
  TText keyName;
  if (!keyName.Assign(pClass) || !keyName.Append("\\shell\\open\\command")) return false;
  TRegKey key;
  if (key.Open(HKEY_CLASSES_ROOT, keyName.Text(), KEY_READ) != ERROR_SUCCESS)
    return false;  // "Shell open command not found"
  return key.QueryExpandedValue(rCommand, 0) == ERROR_SUCCESS;  // else "no command string"
}

bool ReadUserChoice(TText& rClass)
{
  TRegKey key;
  return key.Open(HKEY_CURRENT_USER, USER_CHOICE, KEY_READ) == ERROR_SUCCESS &&
         key.QueryValue(rClass, "ProgId") == ERROR_SUCCESS && !rClass.IsEmpty();
}

// The open command of the .htm page type into rCommand; false at the first
// lookup that fails.
bool FindPageCommand(TText& rCommand)
{
  TText pageClass;
  TRegKey key;
  if (key.Open(HKEY_CLASSES_ROOT, ".htm", KEY_READ) != ERROR_SUCCESS)
    return false;  // ".htm not found"
  LONG lRead = key.QueryValue(pageClass, 0);
  key.Close();
  return lRead == ERROR_SUCCESS &&
         ReadOpenCommand(pageClass.Text(), rCommand);  // else "no default string"
}

// The template formatted with its one insert; rOut empty when the formatter
// fails.
bool FormatWithInsert(const char* pTemplate, const char* pInsert, TText& rOut)
{
  rOut.Clear();
  TText safe;
  if (!EscapeOtherInserts(pTemplate, safe)) return false;
  UINT_PTR aInserts[1] = {(UINT_PTR)pInsert};
  char* pFormatted = 0;
  DWORD dwLength = FormatMessageA(
      FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_ARGUMENT_ARRAY,
      safe.Text(), 0, 0, reinterpret_cast<LPSTR>(&pFormatted), 0,
      reinterpret_cast<va_list*>(aInserts));
  bool bStored = true;
  if (dwLength != 0 && pFormatted != 0) bStored = rOut.Assign(pFormatted, dwLength);
  if (pFormatted != 0) LocalFree(pFormatted);
  return bStored;
}

int LaunchBrowser(const char* pBookPath, TText& rCommand)
{
  TText launchPath;
  TText argTemplate;
  TText args;
  TPath command(rCommand);
  // Unquoted, the program's path may hold blanks: the program is the file
  // that the words name, never what the first word alone happens to name.
  // Either way the program is started by its full name, never by one the
  // shell would look for in the current folder.
  if (rCommand.Text()[0] == '"') {
    command.GetArgs(argTemplate);
    command.RemoveArgs();
    if (!command.FindQuotedProgramFile()) return 0;
  } else if (!command.SplitAtProgramFile(argTemplate)) {
    return 0;
  }
  if (!MakeLaunchPath(pBookPath, launchPath) ||
      !BuildBrowserArguments(argTemplate.Text(), launchPath.Text(), args))
    return 0;
  return Succeeded(ShellExecuteA(0, "open", rCommand.Text(), args.Text(), 0, SW_SHOWNORMAL)) ? 1
                                                                                             : 0;
}

}  // namespace

// Whole characters: the second byte of a double-byte one may have the
// code of a backslash and is no separator.
bool MakeLaunchPath(const char* pBookPath, TText& rLaunchPath)
{
  rLaunchPath.Clear();
  for (const char* p = pBookPath; *p;) {
    const char* pNext = CharNextA(p);
    if (!rLaunchPath.Append(p, static_cast<size_t>(pNext - p))) return false;
    if (p[0] == '\\' && p[1] == '\\') {
      if (!rLaunchPath.Append("\\\\\\", 3)) return false;
      ++pNext;
    }
    p = pNext;
  }
  return true;
}

bool EscapeOtherInserts(const char* pTemplate, TText& rSafe)
{
  rSafe.Clear();
  for (const char* p = pTemplate; *p; ++p) {
    if (!rSafe.Append(p, 1)) return false;
    if (*p != '%') continue;
    // A lone % at the end would make the formatter refuse the whole
    // template, and the book would not be opened: it is doubled too.
    if (p[1] == 0) return rSafe.Append("%", 1);
    // An escape pair is copied whole, so "%%1" stays a literal "%1".
    if (p[1] == '%') {
      if (!rSafe.Append("%", 1)) return false;
      ++p;
      continue;
    }
    bool bInsert = p[1] >= '1' && p[1] <= '9';
    bool bPlainFirst = p[1] == '1' && !(p[2] >= '0' && p[2] <= '9') && p[2] != '!';
    // Any other insert, a numbered one or one with a format, is doubled into
    // a literal percent sign: its text then stands as it was.
    if (bInsert && !bPlainFirst && !rSafe.Append("%", 1)) return false;
  }
  return true;
}

bool ReplaceShellInserts(const char* pTemplate, TText& rOut)
{
  rOut.Clear();
  for (const char* p = pTemplate; *p; ++p) {
    if (*p != '%' || p[1] == 0) {
      if (!rOut.Append(p, 1)) return false;
      continue;
    }
    char c = p[1];
    bool bPath = c == 'L' || c == 'l' || c == 'V' || c == 'v';
    // An escape pair and an insert the shell does not fill are copied
    // whole; %* stands for no further arguments and leaves nothing.
    if (c != '*' && !rOut.Append(bPath ? "%1" : p, 2)) return false;
    ++p;
  }
  return true;
}

bool BuildBrowserArguments(const char* pTemplate, const char* pLaunchPath, TText& rArgs)
{
  rArgs.Clear();
  TText shellForm;
  if (!ReplaceShellInserts(pTemplate, shellForm)) return false;
  const char* pShellForm = shellForm.Text();
  if (strstr(pShellForm, "%1") == 0) {
    return rArgs.Assign(pShellForm) && rArgs.Append(" \"") && rArgs.Append(pLaunchPath) &&
           rArgs.Append("\"");
  }
  // Browsers that take --single-argument read all that follows it as the
  // path, quotes included, just as the shell leaves a bare %1 there.
  if (strstr(pShellForm, "\"%1\"") != 0 || strstr(pShellForm, "--single-argument %1") != 0)
    return FormatWithInsert(pShellForm, pLaunchPath, rArgs);
  TText quoted;
  return quoted.Assign("\"") && quoted.Append(pLaunchPath) && quoted.Append("\"") &&
         FormatWithInsert(pShellForm, quoted.Text(), rArgs);
}

int OpenBook(const char* pBookPath)
{
  if (pBookPath == 0 || *pBookPath == 0) return 0;
  TText chosenClass;
  TText command;
  if (ReadUserChoice(chosenClass)) {
    if (ReadOpenCommand(chosenClass.Text(), command)) return LaunchBrowser(pBookPath, command);
    // A chosen class without a command of its own, as a browser from the
    // Store registers, names an app that only the shell can start; when it
    // cannot, the .htm walk follows.
    if (OpenWithClass(chosenClass.Text(), pBookPath)) return 1;
  }
  if (FindPageCommand(command)) return LaunchBrowser(pBookPath, command);
  return Succeeded(ShellExecuteA(0, "open", pBookPath, 0, 0, SW_SHOWNORMAL)) ? 1 : 0;
}
