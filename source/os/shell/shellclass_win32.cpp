// Windows: the shell is handed the class by name and picks its default verb.
#include "shellclass.h"

#include "platform.h"

int OpenWithClass(const char* pClass, const char* pFile)
{
  SHELLEXECUTEINFOA info;
  ZeroMemory(&info, sizeof info);
  info.cbSize = sizeof info;
  // No error box: a failure only passes the book to the next way of opening
  // it. And the process ends right after: an app activated for the class
  // must be started before the call returns.
  info.fMask = SEE_MASK_CLASSNAME | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
  info.lpClass = pClass;
  info.lpFile = pFile;
  info.nShow = SW_SHOWNORMAL;
  return ShellExecuteExA(&info) ? 1 : 0;
}
