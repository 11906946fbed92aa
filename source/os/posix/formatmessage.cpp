// POSIX stand-in for FormatMessageA: templates given as strings, inserts
// from an argument array, the formatter's escape sequences and line ends.
#include "platform.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "text.h"

namespace {

const DWORD KNOWN_FLAGS = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS |
                          FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY;
const size_t MAX_TEMPLATE = 32767;

enum TStep { STEP_GO_ON, STEP_END, STEP_INVALID, STEP_NO_MEMORY };

// One insert with its optional printf-style format "!fmt!"; p points at the
// first digit and is moved past the insert.
TStep AppendInsert(const char*& p, const UINT_PTR* pInserts, TText& rOut)
{
  int nIndex = *p++ - '0';
  if (*p >= '0' && *p <= '9') nIndex = nIndex * 10 + (*p++ - '0');
  if (pInserts == 0) return STEP_INVALID;
  UINT_PTR nSlot = pInserts[nIndex - 1];
  char aFormat[32] = "%s";
  if (*p == '!') {
    const char* pEnd = strchr(p + 1, '!');
    size_t nLength = pEnd ? (size_t)(pEnd - p - 1) : 0;
    if (nLength == 0 || nLength + 2 > sizeof aFormat) return STEP_INVALID;
    aFormat[0] = '%';
    memcpy(aFormat + 1, p + 1, nLength);
    aFormat[nLength + 1] = 0;
    p = pEnd + 1;
    // Flags, width and precision, then one conversion; '*' would take
    // further inserts, which this stand-in does not offer.
    size_t nFlagChars = strspn(aFormat + 1, "-+ #0123456789.lh");
    if (nFlagChars + 1 != nLength || !strchr("sdiuxXoc", aFormat[nLength])) return STEP_INVALID;
  }
  char conversion = aFormat[strlen(aFormat) - 1];
  int nNeeded;
  char aSmall[64];
  if (conversion == 's') {
    const char* pText = nSlot ? reinterpret_cast<const char*>(nSlot) : "(null)";
    nNeeded = snprintf(0, 0, aFormat, pText);
    if (nNeeded < 0 || !rOut.Reserve(rOut.GetLength() + (size_t)nNeeded)) return STEP_NO_MEMORY;
    snprintf(rOut.Buffer() + rOut.GetLength(), (size_t)nNeeded + 1, aFormat, pText);
    rOut.SyncLength();
    return STEP_GO_ON;
  }
  // Numbers take the slot's low 32 bits, as the 32-bit program passes them.
  char aIntFormat[34];
  size_t nLength = strlen(aFormat);
  size_t nKeep = nLength - 1;
  while (nKeep > 1 && (aFormat[nKeep - 1] == 'l' || aFormat[nKeep - 1] == 'h')) --nKeep;
  memcpy(aIntFormat, aFormat, nKeep);
  aIntFormat[nKeep] = conversion;
  aIntFormat[nKeep + 1] = 0;
  nNeeded = snprintf(aSmall, sizeof aSmall, aIntFormat, (unsigned int)nSlot);
  if (nNeeded < 0 || (size_t)nNeeded >= sizeof aSmall) return STEP_INVALID;
  return rOut.Append(aSmall) ? STEP_GO_ON : STEP_NO_MEMORY;
}

// One escape sequence; p points at the character after '%'.
TStep AppendEscape(const char*& p, DWORD dwFlags, const UINT_PTR* pInserts, TText& rOut)
{
  bool bIgnoreInserts = (dwFlags & FORMAT_MESSAGE_IGNORE_INSERTS) != 0;
  char c = *p;
  if (c == 0) return STEP_INVALID;
  if (c == '0') return STEP_END;
  const char* pPiece = 0;
  if (c == 'n') pPiece = "\r\n";
  else if (c == 'r') pPiece = "\r";
  else if (c == 't') pPiece = "\t";
  if (pPiece != 0) {
    ++p;
    return rOut.Append(pPiece) ? STEP_GO_ON : STEP_NO_MEMORY;
  }
  if (bIgnoreInserts) {
    // Everything else stays as written, the percent sign included.
    return rOut.Append("%", 1) ? STEP_GO_ON : STEP_NO_MEMORY;
  }
  if (c >= '1' && c <= '9') return AppendInsert(p, pInserts, rOut);
  ++p;
  return rOut.Append(&c, 1) ? STEP_GO_ON : STEP_NO_MEMORY;
}

DWORD Fail(DWORD dwError)
{
  SetLastError(dwError);
  return 0;
}

}  // namespace

DWORD FormatMessageA(DWORD dwFlags, const void* lpSource, DWORD, DWORD, LPSTR lpBuffer, DWORD nSize,
                     void* Arguments)
{
  bool bAllocate = (dwFlags & FORMAT_MESSAGE_ALLOCATE_BUFFER) != 0;
  if (bAllocate && lpBuffer != 0) *reinterpret_cast<char**>(lpBuffer) = 0;
  if (!(dwFlags & FORMAT_MESSAGE_FROM_STRING) || (dwFlags & ~KNOWN_FLAGS & ~0xFFu) != 0 ||
      lpSource == 0 || lpBuffer == 0)
    return Fail(ERROR_INVALID_PARAMETER);
  const char* pTemplate = static_cast<const char*>(lpSource);
  if (strlen(pTemplate) > MAX_TEMPLATE) return Fail(ERROR_INVALID_PARAMETER);
  // Inserts come only from an argument array here.
  const UINT_PTR* pInserts =
      (dwFlags & FORMAT_MESSAGE_ARGUMENT_ARRAY) ? static_cast<const UINT_PTR*>(Arguments) : 0;

  TText out;
  const char* p = pTemplate;
  while (*p) {
    TStep eStep = STEP_GO_ON;
    if (*p == '%') {
      ++p;
      eStep = AppendEscape(p, dwFlags, pInserts, out);
    } else if (*p == '\r' || *p == '\n') {
      // A line end of any form becomes CR LF.
      p += (p[0] == '\r' && p[1] == '\n') ? 2 : 1;
      if (!out.Append("\r\n")) eStep = STEP_NO_MEMORY;
    } else {
      if (!out.Append(p, 1)) eStep = STEP_NO_MEMORY;
      ++p;
    }
    if (eStep == STEP_END) break;
    if (eStep == STEP_INVALID) return Fail(ERROR_INVALID_PARAMETER);
    if (eStep == STEP_NO_MEMORY) return Fail(ERROR_NOT_ENOUGH_MEMORY);
  }
  if (out.IsEmpty()) return Fail(ERROR_NO_WORK_DONE);
  DWORD dwLength = (DWORD)out.GetLength();
  if (bAllocate) {
    char* pCopy = static_cast<char*>(malloc(dwLength + 1));
    if (pCopy == 0) return Fail(ERROR_NOT_ENOUGH_MEMORY);
    memcpy(pCopy, out.Text(), dwLength + 1);
    *reinterpret_cast<char**>(lpBuffer) = pCopy;
    return dwLength;
  }
  if (dwLength + 1 > nSize) return Fail(ERROR_INSUFFICIENT_BUFFER);
  memcpy(lpBuffer, out.Text(), dwLength + 1);
  return dwLength;
}

void* LocalFree(void* hMem)
{
  free(hMem);
  return 0;
}
