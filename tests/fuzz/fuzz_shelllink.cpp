// The shell-link writer on any target and icon text: a link that is saved
// must read back, by the documented layout, with exactly that target and
// that icon at index 0 and nothing after its last block; one that cannot be
// written must leave no file.
#include <fuzzer/FuzzedDataProvider.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "faults.h"
#include "fuzzsandbox.h"
#include "platform.h"
#include "shelllink.h"

namespace {

const uint32_t HAS_ID_LIST = 0x01, HAS_LINK_INFO = 0x02, HAS_NAME = 0x04, HAS_RELATIVE_PATH = 0x08,
               HAS_WORKING_DIR = 0x10, HAS_ARGUMENTS = 0x20, HAS_ICON = 0x40, IS_UNICODE = 0x80;
const unsigned char LINK_CLSID[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                      0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

struct TLink
{
  std::string target;
  std::u16string icon;
  bool bHasIcon = false;
};

// Reads the bytes by the layout; false at the first thing out of place.
class TLinkParser
{
public:
  explicit TLinkParser(const std::string& bytes) : m_Bytes(bytes) {}

  bool Parse(TLink& rLink)
  {
    uint32_t nFlags;
    if (U32(0) != 0x4C || !Has(0, 0x4C) || memcmp(m_Bytes.data() + 4, LINK_CLSID, 16) != 0)
      return false;
    nFlags = U32(0x14);
    if (U32(0x38) != 0) return false;  // icon index
    size_t at = 0x4C;
    if (nFlags & HAS_ID_LIST) {
      if (!Has(at, 2)) return false;
      at += 2 + U16(at);
    }
    if (!(nFlags & HAS_LINK_INFO) || !LinkInfo(at, rLink.target)) return false;
    at += U32(at);
    for (uint32_t nString :
         {HAS_NAME, HAS_RELATIVE_PATH, HAS_WORKING_DIR, HAS_ARGUMENTS, HAS_ICON}) {
      if (!(nFlags & nString)) continue;
      if (!(nFlags & IS_UNICODE) || !Has(at, 2)) return false;
      size_t nUnits = U16(at);
      if (!Has(at + 2, 2 * nUnits)) return false;
      std::u16string text;
      for (size_t i = 0; i < nUnits; ++i) text += char16_t(U16(at + 2 + 2 * i));
      if (nString == HAS_ICON) {
        rLink.icon = text;
        rLink.bHasIcon = true;
      }
      at += 2 + 2 * nUnits;
    }
    // Extra data blocks up to the terminal block, which ends the file.
    for (;;) {
      if (!Has(at, 4)) return false;
      uint32_t nBlock = U32(at);
      if (nBlock < 4) return at + 4 == m_Bytes.size();
      if (!Has(at, nBlock)) return false;
      at += nBlock;
    }
  }

private:
  bool Has(size_t at, size_t n) const { return at <= m_Bytes.size() && n <= m_Bytes.size() - at; }
  uint32_t U16(size_t at) const
  {
    return Has(at, 2) ? uint32_t(uint8_t(m_Bytes[at])) | uint32_t(uint8_t(m_Bytes[at + 1])) << 8
                      : 0;
  }
  uint32_t U32(size_t at) const { return U16(at) | U16(at + 2) << 16; }
  // A NUL-terminated text inside the block.
  bool Text(size_t at, size_t end, std::string& rOut) const
  {
    size_t stop = m_Bytes.find('\0', at);
    if (at >= end || stop == std::string::npos || stop >= end) return false;
    rOut = m_Bytes.substr(at, stop - at);
    return true;
  }
  bool LinkInfo(size_t at, std::string& rTarget) const
  {
    uint32_t nSize = U32(at);
    if (!Has(at, 4) || nSize < 0x1C || !Has(at, nSize)) return false;
    size_t end = at + nSize;
    uint32_t nHeader = U32(at + 4), nFlags = U32(at + 8);
    if (nHeader != 0x1C && nHeader < 0x24) return false;
    if (!(nFlags & 1)) return false;  // a local path, with its volume
    size_t volume = at + U32(at + 12);
    uint32_t nVolume = U32(volume);
    if (nVolume <= 0x10 || volume + nVolume > end) return false;
    std::string base, suffix, label;
    if (!Text(volume + U32(volume + 12), volume + nVolume, label)) return false;
    if (!Text(at + U32(at + 16), end, base) || !Text(at + U32(at + 24), end, suffix)) return false;
    rTarget = base + suffix;
    return true;
  }

  const std::string& m_Bytes;
};

void AppendUtf8(uint32_t nCode, std::string& rOut)
{
  if (nCode < 0x80) {
    rOut += char(nCode);
  } else if (nCode < 0x800) {
    rOut += char(0xC0 | (nCode >> 6));
    rOut += char(0x80 | (nCode & 0x3F));
  } else if (nCode < 0x10000) {
    rOut += char(0xE0 | (nCode >> 12));
    rOut += char(0x80 | ((nCode >> 6) & 0x3F));
    rOut += char(0x80 | (nCode & 0x3F));
  } else {
    rOut += char(0xF0 | (nCode >> 18));
    rOut += char(0x80 | ((nCode >> 12) & 0x3F));
    rOut += char(0x80 | ((nCode >> 6) & 0x3F));
    rOut += char(0x80 | (nCode & 0x3F));
  }
}

void AppendUtf16(uint32_t nCode, std::u16string& rOut)
{
  if (nCode < 0x10000) {
    rOut += char16_t(nCode);
  } else {
    rOut += char16_t(0xD800 + ((nCode - 0x10000) >> 10));
    rOut += char16_t(0xDC00 + ((nCode - 0x10000) & 0x3FF));
  }
}

// An icon text of code points in UTF-8, with lone continuation bytes among
// them, which the writer takes as Latin-1; and the UTF-16 it must become.
void MakeIcon(FuzzedDataProvider& input, std::string& rText, std::u16string& rExpected)
{
  size_t nCount = input.ConsumeIntegralInRange<size_t>(0, 280);
  for (size_t i = 0; i < nCount; ++i) {
    if (input.ConsumeIntegralInRange<int>(0, 7) == 0) {
      uint8_t cLone = input.ConsumeIntegralInRange<uint8_t>(0x80, 0xBF);
      rText += char(cLone);
      rExpected += char16_t(cLone);
      continue;
    }
    uint32_t nCode = input.ConsumeIntegralInRange<uint32_t>(1, 0x10FFFF - 0x800);
    if (nCode >= 0xD800) nCode += 0x800;  // no surrogates
    AppendUtf8(nCode, rText);
    AppendUtf16(nCode, rExpected);
  }
}

bool Exists(const std::string& path)
{
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
  FuzzedDataProvider input(pData, nSize);
  bool bRefused = input.ConsumeIntegralInRange<int>(0, 15) == 0;
  std::string icon;
  std::u16string expectedIcon;
  MakeIcon(input, icon, expectedIcon);
  std::string target = input.ConsumeRemainingBytesAsString();
  target.resize(strlen(target.c_str()));

  const std::string file = fuzz::SandboxFile("book.lnk");
  unlink(file.c_str());
  if (bRefused) ArmFault(FAULT_LINK_SAVE, 1, 1);
  HRESULT hResult = SaveShellLink(file.c_str(), target.c_str(), icon.c_str());
  ResetFaults();

  bool bFits = target.size() < MAX_PATH && expectedIcon.size() < MAX_PATH;
  if (bRefused || !bFits) {
    FUZZ_CHECK(FAILED(hResult));
    FUZZ_CHECK(!Exists(file));
    return 0;
  }
  FUZZ_CHECK(hResult == S_OK);
  std::string bytes = fuzz::ReadBytes(file);
  TLink link;
  FUZZ_CHECK(TLinkParser(bytes).Parse(link));
  FUZZ_CHECK(link.target == target);
  FUZZ_CHECK(link.bHasIcon == !icon.empty());
  FUZZ_CHECK(link.icon == expectedIcon);
  return 0;
}
