// POSIX: contract reports go to standard error.
#include "contract.h"

#include <stdio.h>

void ReportContract(const char* pExpression, const char* pSource)
{
  fprintf(stderr, "contract broken: %s in %s\n", pExpression, pSource);
}
