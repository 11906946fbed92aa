#include "shelllinkread.h"

#include <cstdint>

namespace {

class TReader
{
public:
  explicit TReader(const std::string& bytes) : m_Bytes(bytes) {}
  bool Has(size_t at, size_t count) const
  {
    return at <= m_Bytes.size() && count <= m_Bytes.size() - at;
  }
  uint32_t U16(size_t at) const
  {
    return (uint8_t)m_Bytes[at] | ((uint32_t)(uint8_t)m_Bytes[at + 1] << 8);
  }
  uint32_t U32(size_t at) const { return U16(at) | (U16(at + 2) << 16); }
  // A NUL-terminated byte string inside [at, end).
  bool CString(size_t at, size_t end, std::string& out) const
  {
    size_t stop = m_Bytes.find('\0', at);
    if (stop == std::string::npos || stop >= end) return false;
    out = m_Bytes.substr(at, stop - at);
    return true;
  }
  const std::string& m_Bytes;
};

// UTF-16 code units to UTF-8.
std::string Utf8Of(const TReader& reader, size_t at, size_t units)
{
  std::string out;
  for (size_t i = 0; i < units; ++i) {
    uint32_t code = reader.U16(at + 2 * i);
    if (code >= 0xD800 && code < 0xDC00 && i + 1 < units) {
      code = 0x10000 + ((code - 0xD800) << 10) + (reader.U16(at + 2 * ++i) - 0xDC00);
    }
    if (code < 0x80) out += (char)code;
    else if (code < 0x800) {
      out += (char)(0xC0 | (code >> 6));
      out += (char)(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      out += (char)(0xE0 | (code >> 12));
      out += (char)(0x80 | ((code >> 6) & 0x3F));
      out += (char)(0x80 | (code & 0x3F));
    } else {
      out += (char)(0xF0 | (code >> 18));
      out += (char)(0x80 | ((code >> 12) & 0x3F));
      out += (char)(0x80 | ((code >> 6) & 0x3F));
      out += (char)(0x80 | (code & 0x3F));
    }
  }
  return out;
}

const unsigned char LINK_CLSID[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                      0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

}  // namespace

TLinkContent ParseShellLinkBytes(const std::string& bytes)
{
  TLinkContent link;
  TReader reader(bytes);
  if (!reader.Has(0, 0x4C) || reader.U32(0) != 0x4C) return link;
  if (bytes.compare(4, 16, std::string(reinterpret_cast<const char*>(LINK_CLSID), 16)) != 0)
    return link;
  uint32_t flags = reader.U32(0x14);
  link.IconIndex = (int)reader.U32(0x38);
  size_t at = 0x4C;
  if (flags & 0x01) {  // HasLinkTargetIDList
    if (!reader.Has(at, 2)) return link;
    at += 2 + reader.U16(at);
  }
  if (flags & 0x02) {  // HasLinkInfo
    if (!reader.Has(at, 0x1C)) return link;
    uint32_t size = reader.U32(at);
    if (!reader.Has(at, size) || size < 0x1C) return link;
    uint32_t infoFlags = reader.U32(at + 8);
    if (infoFlags & 0x01) {
      std::string base, suffix;
      if (!reader.CString(at + reader.U32(at + 0x10), at + size, base) ||
          !reader.CString(at + reader.U32(at + 0x18), at + size, suffix))
        return link;
      link.Target = base + suffix;
    }
    at += size;
  }
  bool unicode = (flags & 0x80) != 0;
  // Name, relative path, working folder, arguments, icon location, in order.
  const uint32_t order[5] = {0x04, 0x08, 0x10, 0x20, 0x40};
  for (uint32_t flag : order) {
    if (!(flags & flag)) continue;
    if (!reader.Has(at, 2)) return link;
    size_t count = reader.U16(at);
    size_t length = unicode ? 2 * count : count;
    if (!reader.Has(at + 2, length)) return link;
    std::string text = unicode ? Utf8Of(reader, at + 2, count) : bytes.substr(at + 2, count);
    if (flag == 0x40) link.Icon = text;
    at += 2 + length;
  }
  if (!reader.Has(at, 4) || reader.U32(at) >= 4) return link;  // the terminal block
  link.Loaded = true;
  return link;
}
