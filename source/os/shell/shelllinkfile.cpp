// Plain bytes, no operating-system calls: the Windows tests build this too.
#include "shelllinkfile.h"

#include <string.h>

#include <algorithm>

#include "byteorder.h"

namespace {

const uint32_t HEADER_SIZE = 0x4C;
const uint32_t LINK_INFO_HEADER_SIZE = 0x1C;
const uint32_t VOLUME_ID_SIZE = 0x11;  // the fixed fields and an empty label
const size_t MAX_TEXT = 259;  // MAX_PATH less the terminator

// CLSID_ShellLink {00021401-0000-0000-C000-000000000046} as stored.
const unsigned char LINK_CLSID[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                      0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

// Fields into a buffer already known to be large enough.
struct TByteWriter
{
  unsigned char* At;
  void Bytes(const void* pData, size_t nCount)
  {
    At = std::copy_n(static_cast<const unsigned char*>(pData), nCount, At);
  }
  void Zeros(size_t nCount) { At = std::fill_n(At, nCount, 0); }
  // Every number of the format is little-endian.
  void Number(uint32_t nValue, int nBytes)
  {
    WriteLittleEndian(nValue, nBytes, At);
    At += nBytes;
  }
  void U16(uint16_t nValue) { Number(nValue, 2); }
  void U32(uint32_t nValue) { Number(nValue, 4); }
};

}  // namespace

size_t BuildShellLinkBytes(const char* pTarget, const uint16_t* pIcon, size_t nIconChars,
                           unsigned char* pOut, size_t nCapacity)
{
  size_t nTarget = strlen(pTarget);
  if (nTarget > MAX_TEXT || nIconChars > MAX_TEXT) return 0;
  const uint32_t nBaseOffset = LINK_INFO_HEADER_SIZE + VOLUME_ID_SIZE;
  const uint32_t nSuffixOffset = static_cast<uint32_t>(nBaseOffset + nTarget + 1);
  if (HEADER_SIZE + nSuffixOffset + 1 + (nIconChars ? 2 + 2 * nIconChars : 0) + 4 > nCapacity)
    return 0;

  TByteWriter out{pOut};
  out.U32(HEADER_SIZE);
  out.Bytes(LINK_CLSID, sizeof LINK_CLSID);
  out.U32(LINK_HAS_LINK_INFO | LINK_IS_UNICODE | (nIconChars ? LINK_HAS_ICON_LOCATION : 0));
  // Attributes, the three times, size and icon index are unknown without
  // asking the file system; then SW_SHOWNORMAL, no hot key, reserved.
  out.Zeros(4 + 3 * 8 + 4 + 4);
  out.U32(1);
  out.Zeros(2 + 2 + 4 + 4);

  // LinkInfo: a volume of unknown type, the local base path, an empty
  // common path suffix.
  out.U32(nSuffixOffset + 1);  // LinkInfoSize
  out.U32(LINK_INFO_HEADER_SIZE);
  out.U32(1);  // VolumeIDAndLocalBasePath
  out.U32(LINK_INFO_HEADER_SIZE);  // VolumeIDOffset
  out.U32(nBaseOffset);
  out.U32(0);  // no network link
  out.U32(nSuffixOffset);
  out.U32(VOLUME_ID_SIZE);
  out.Zeros(4 + 4);  // drive type unknown, serial number
  out.U32(0x10);  // label offset: the label follows the fixed fields
  out.Zeros(1);  // empty label
  out.Bytes(pTarget, nTarget + 1);
  out.Zeros(1);  // empty suffix

  if (nIconChars) {
    out.U16(static_cast<uint16_t>(nIconChars));
    for (size_t i = 0; i < nIconChars; ++i) out.U16(pIcon[i]);
  }
  out.U32(0);  // terminal block of the extra data
  return static_cast<size_t>(out.At - pOut);
}
