// POSIX: links are written as .lnk bytes by the portable writer.
// The icon text is taken as UTF-8; a byte that is not is taken as Latin-1.
#include "shelllink.h"

#include <errno.h>
#include <stdio.h>
#include <unistd.h>

#include "faults.h"
#include "shelllinkfile.h"

namespace {

// Length of the UTF-8 sequence at p and its code point, or 0 when p does not
// start a well-formed sequence.
size_t DecodeUtf8(const unsigned char* p, uint32_t& rCode)
{
  if (p[0] < 0x80) {
    rCode = p[0];
    return 1;
  }
  size_t nLength = p[0] >= 0xF0 ? 4 : p[0] >= 0xE0 ? 3 : p[0] >= 0xC2 ? 2 : 0;
  if (nLength == 0 || p[0] > 0xF4) return 0;
  rCode = p[0] & (0x7F >> nLength);
  for (size_t i = 1; i < nLength; ++i) {
    if ((p[i] & 0xC0) != 0x80) return 0;
    rCode = (rCode << 6) | (p[i] & 0x3F);
  }
  static const uint32_t LEAST_CODE[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (rCode < LEAST_CODE[nLength] || rCode > 0x10FFFF || (rCode >= 0xD800 && rCode <= 0xDFFF))
    return 0;
  return nLength;
}

// Returns the number of UTF-16 units written, or nCapacity + 1 when the
// text does not fit.
size_t ToUtf16(const char* pText, uint16_t* pOut, size_t nCapacity)
{
  size_t nOut = 0;
  const unsigned char* p = reinterpret_cast<const unsigned char*>(pText);
  while (*p) {
    uint32_t nCode;
    size_t nLength = DecodeUtf8(p, nCode);
    if (nLength == 0) {
      nCode = *p;
      nLength = 1;
    }
    p += nLength;
    size_t nUnits = nCode >= 0x10000 ? 2 : 1;
    if (nOut + nUnits > nCapacity) return nCapacity + 1;
    if (nUnits == 2) {
      nCode -= 0x10000;
      pOut[nOut++] = (uint16_t)(0xD800 + (nCode >> 10));
      pOut[nOut++] = (uint16_t)(0xDC00 + (nCode & 0x3FF));
    } else {
      pOut[nOut++] = (uint16_t)nCode;
    }
  }
  return nOut;
}

HRESULT StatusOfErrno(int nError)
{
  if (nError == EACCES || nError == EPERM || nError == EROFS)
    return HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED);
  if (nError == ENOENT || nError == ENOTDIR) return HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
  return E_FAIL;
}

}  // namespace

HRESULT SaveShellLink(const char* pFile, const char* pTarget, const char* pIcon)
{
  uint16_t aIcon[MAX_PATH];
  size_t nIcon = ToUtf16(pIcon, aIcon, MAX_PATH - 1);
  unsigned char aBytes[SHELL_LINK_MAX_BYTES];
  size_t nBytes = BuildShellLinkBytes(pTarget, aIcon, nIcon, aBytes, sizeof aBytes);
  if (nBytes == 0) return E_INVALIDARG;
  if (FaultHit(FAULT_LINK_SAVE)) return HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED);
  FILE* pOut = fopen(pFile, "wb");
  if (pOut == 0) return StatusOfErrno(errno);
  bool bWritten = fwrite(aBytes, 1, nBytes, pOut) == nBytes;
  int nError = errno;
  if (fclose(pOut) != 0 && bWritten) {
    bWritten = false;
    nError = errno;
  }
  if (bWritten) return S_OK;
  unlink(pFile);  // no half-written link is left behind
  return StatusOfErrno(nError);
}
