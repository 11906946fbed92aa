// Windows: contract reports go to the debugger's output.
#include "contract.h"

#include <windows.h>

void ReportContract(const char* pExpression, const char* pSource)
{
  OutputDebugStringA("contract broken: ");
  OutputDebugStringA(pExpression);
  OutputDebugStringA(" in ");
  OutputDebugStringA(pSource);
  OutputDebugStringA("\n");
}
