// Plain bytes, no operating-system calls: the Windows tests build this too.
#include "shelllinkfile.h"

#include <string.h>

namespace {

const uint32_t kHeaderSize = 0x4C;
const uint32_t kLinkInfoHeaderSize = 0x1C;
const uint32_t kVolumeIdSize = 0x11;  // the fixed fields and an empty label
const size_t kMaxText = 259;          // MAX_PATH less the terminator

// CLSID_ShellLink {00021401-0000-0000-C000-000000000046} as stored.
const unsigned char kLinkClsid[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                      0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

// Little-endian fields into a buffer already known to be large enough.
struct TByteWriter
{
  unsigned char* At;
  void Bytes(const void* pData, size_t nCount) { memcpy(At, pData, nCount); At += nCount; }
  void Zeros(size_t nCount) { memset(At, 0, nCount); At += nCount; }
  void U16(uint16_t nValue)
  {
    *At++ = static_cast<unsigned char>(nValue & 0xFF);
    *At++ = static_cast<unsigned char>(nValue >> 8);
  }
  void U32(uint32_t nValue) { U16(static_cast<uint16_t>(nValue & 0xFFFF)); U16(static_cast<uint16_t>(nValue >> 16)); }
};

}  // namespace

size_t BuildShellLinkBytes(const char* pTarget, const uint16_t* pIcon, size_t nIconChars,
                           unsigned char* pOut, size_t nCapacity)
{
  size_t nTarget = strlen(pTarget);
  if (nTarget > kMaxText || nIconChars > kMaxText) return 0;
  const uint32_t nBaseOffset = kLinkInfoHeaderSize + kVolumeIdSize;
  const uint32_t nSuffixOffset = static_cast<uint32_t>(nBaseOffset + nTarget + 1);
  if (kHeaderSize + nSuffixOffset + 1 + (nIconChars ? 2 + 2 * nIconChars : 0) + 4 > nCapacity) return 0;

  TByteWriter out{pOut};
  out.U32(kHeaderSize);
  out.Bytes(kLinkClsid, sizeof kLinkClsid);
  out.U32(LINK_HAS_LINK_INFO | LINK_IS_UNICODE | (nIconChars ? LINK_HAS_ICON_LOCATION : 0));
  // Attributes, the three times, size and icon index are unknown without
  // asking the file system; then SW_SHOWNORMAL, no hot key, reserved.
  out.Zeros(4 + 3 * 8 + 4 + 4);
  out.U32(1);
  out.Zeros(2 + 2 + 4 + 4);

  // LinkInfo: a volume of unknown type, the local base path, an empty
  // common path suffix.
  out.U32(nSuffixOffset + 1);  // LinkInfoSize
  out.U32(kLinkInfoHeaderSize);
  out.U32(1);  // VolumeIDAndLocalBasePath
  out.U32(kLinkInfoHeaderSize);  // VolumeIDOffset
  out.U32(nBaseOffset);
  out.U32(0);  // no network link
  out.U32(nSuffixOffset);
  out.U32(kVolumeIdSize);
  out.Zeros(4 + 4);  // drive type unknown, serial number
  out.U32(0x10);     // label offset: the label follows the fixed fields
  out.Zeros(1);      // empty label
  out.Bytes(pTarget, nTarget + 1);
  out.Zeros(1);  // empty suffix

  if (nIconChars) {
    out.U16(static_cast<uint16_t>(nIconChars));
    for (size_t i = 0; i < nIconChars; ++i) out.U16(pIcon[i]);
  }
  out.U32(0);  // terminal block of the extra data
  return static_cast<size_t>(out.At - pOut);
}
