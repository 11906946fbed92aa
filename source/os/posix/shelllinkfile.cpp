#include "shelllinkfile.h"

#include <string.h>

namespace {

const size_t HEADER_SIZE = 0x4C;
const size_t LINK_INFO_HEADER_SIZE = 0x1C;
const size_t VOLUME_ID_SIZE = 0x11;  // the fixed fields and an empty label
const size_t MAX_TEXT = 259;          // MAX_PATH less the terminator
const uint32_t VOLUME_ID_AND_LOCAL_BASE_PATH = 0x01;
const uint32_t SHOW_NORMAL = 1;

// CLSID_ShellLink {00021401-0000-0000-C000-000000000046} as stored.
const unsigned char LINK_CLSID[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                      0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

// Little-endian writer over a buffer already known to be large enough.
class TByteWriter
{
public:
  explicit TByteWriter(unsigned char* pOut) : m_pOut(pOut), m_nAt(0) {}
  void Bytes(const void* pData, size_t nCount)
  {
    memcpy(m_pOut + m_nAt, pData, nCount);
    m_nAt += nCount;
  }
  void Zeros(size_t nCount)
  {
    memset(m_pOut + m_nAt, 0, nCount);
    m_nAt += nCount;
  }
  void U16(uint16_t nValue)
  {
    m_pOut[m_nAt++] = (unsigned char)(nValue & 0xFF);
    m_pOut[m_nAt++] = (unsigned char)(nValue >> 8);
  }
  void U32(uint32_t nValue)
  {
    U16((uint16_t)(nValue & 0xFFFF));
    U16((uint16_t)(nValue >> 16));
  }
  size_t Position() const { return m_nAt; }

private:
  unsigned char* m_pOut;
  size_t m_nAt;
};

void WriteHeader(TByteWriter& rOut, uint32_t nFlags)
{
  rOut.U32((uint32_t)HEADER_SIZE);
  rOut.Bytes(LINK_CLSID, sizeof LINK_CLSID);
  rOut.U32(nFlags);
  rOut.U32(0);       // file attributes: unknown without asking the file system
  rOut.Zeros(3 * 8); // creation, access and write times
  rOut.U32(0);       // file size
  rOut.U32(0);       // icon index
  rOut.U32(SHOW_NORMAL);
  rOut.U16(0);       // hot key
  rOut.Zeros(2 + 4 + 4);
}

// LinkInfo with a volume of unknown type and the local base path; the
// common path suffix is empty.
void WriteLinkInfo(TByteWriter& rOut, const char* pTarget, size_t nTarget)
{
  const uint32_t nBaseOffset = (uint32_t)(LINK_INFO_HEADER_SIZE + VOLUME_ID_SIZE);
  const uint32_t nSuffixOffset = (uint32_t)(nBaseOffset + nTarget + 1);
  rOut.U32(nSuffixOffset + 1);  // LinkInfoSize
  rOut.U32((uint32_t)LINK_INFO_HEADER_SIZE);
  rOut.U32(VOLUME_ID_AND_LOCAL_BASE_PATH);
  rOut.U32((uint32_t)LINK_INFO_HEADER_SIZE);  // VolumeIDOffset
  rOut.U32(nBaseOffset);
  rOut.U32(0);  // no network link
  rOut.U32(nSuffixOffset);
  rOut.U32((uint32_t)VOLUME_ID_SIZE);
  rOut.U32(0);     // drive type unknown
  rOut.U32(0);     // serial number
  rOut.U32(0x10);  // label offset: the label follows the fixed fields
  rOut.Zeros(1);   // empty label
  rOut.Bytes(pTarget, nTarget + 1);
  rOut.Zeros(1);   // empty suffix
}

}  // namespace

size_t BuildShellLinkBytes(const char* pTarget, const uint16_t* pIcon, size_t nIconChars,
                           unsigned char* pOut, size_t nCapacity)
{
  size_t nTarget = strlen(pTarget);
  if (nTarget > MAX_TEXT || nIconChars > MAX_TEXT) return 0;
  size_t nLinkInfo = LINK_INFO_HEADER_SIZE + VOLUME_ID_SIZE + nTarget + 2;
  size_t nIcon = nIconChars ? 2 + 2 * nIconChars : 0;
  size_t nTotal = HEADER_SIZE + nLinkInfo + nIcon + 4;
  if (nTotal > nCapacity) return 0;

  uint32_t nFlags = LINK_HAS_LINK_INFO | LINK_IS_UNICODE;
  if (nIconChars) nFlags |= LINK_HAS_ICON_LOCATION;
  TByteWriter out(pOut);
  WriteHeader(out, nFlags);
  WriteLinkInfo(out, pTarget, nTarget);
  if (nIconChars) {
    out.U16((uint16_t)nIconChars);
    for (size_t i = 0; i < nIconChars; ++i) out.U16(pIcon[i]);
  }
  out.U32(0);  // terminal block of the extra data
  return out.Position();
}
