#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "shelllinkfile.h"
#include "shelllinkread.h"

namespace {

std::vector<uint16_t> Utf16(const std::string& ascii)
{
  return std::vector<uint16_t>(ascii.begin(), ascii.end());
}

std::string Build(const std::string& target, const std::vector<uint16_t>& icon)
{
  unsigned char bytes[SHELL_LINK_MAX_BYTES];
  size_t count = BuildShellLinkBytes(target.c_str(), icon.data(), icon.size(), bytes, sizeof bytes);
  return std::string(reinterpret_cast<char*>(bytes), count);
}

uint32_t U32(const std::string& bytes, size_t at)
{
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | (unsigned char)bytes.at(at + i);
  return value;
}

TEST(ShellLinkBytes, TheHeaderIsTheDocumentedOne)
{
  std::string bytes = Build("C:\\Books\\Atlas\\index.htm", {});
  ASSERT_GE(bytes.size(), 0x4Cu);
  EXPECT_EQ(0x4Cu, U32(bytes, 0));
  const unsigned char clsid[16] = {0x01, 0x14, 0x02, 0, 0, 0, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46};
  EXPECT_EQ(0, std::memcmp(bytes.data() + 4, clsid, 16));
  EXPECT_EQ(LINK_HAS_LINK_INFO | LINK_IS_UNICODE, U32(bytes, 0x14));
  EXPECT_EQ(0u, U32(bytes, 0x38));  // icon index
  EXPECT_EQ(1u, U32(bytes, 0x3C));  // shown normally
}

TEST(ShellLinkBytes, AnIconAddsItsLocationAsUtf16)
{
  std::vector<uint16_t> icon = {'C', ':', '\\', 0x00E9, 0x4E66, '.', 'i', 'c', 'o'};
  std::string bytes = Build("C:\\x.htm", icon);
  EXPECT_EQ(LINK_HAS_LINK_INFO | LINK_IS_UNICODE | LINK_HAS_ICON_LOCATION, U32(bytes, 0x14));
  size_t strings = 0x4C + U32(bytes, 0x4C);
  ASSERT_EQ(icon.size(),
            (size_t)((unsigned char)bytes[strings] | ((unsigned char)bytes[strings + 1] << 8)));
  for (size_t i = 0; i < icon.size(); ++i) {
    size_t at = strings + 2 + 2 * i;
    EXPECT_EQ(icon[i], (unsigned char)bytes[at] | ((unsigned char)bytes[at + 1] << 8)) << i;
  }
  TLinkContent link = ParseShellLinkBytes(bytes);
  ASSERT_TRUE(link.Loaded);
  EXPECT_EQ("C:\\x.htm", link.Target);
  EXPECT_EQ("C:\\\xC3\xA9\xE4\xB9\xA6.ico", link.Icon);
  EXPECT_EQ(0, link.IconIndex);
}

TEST(ShellLinkBytes, MaxPathLessOneFitsAndLongerTextsAreRefused)
{
  EXPECT_TRUE(
      ParseShellLinkBytes(Build(std::string(259, 't'), Utf16(std::string(259, 'i')))).Loaded);
  EXPECT_EQ("", Build(std::string(260, 't'), {}));
  EXPECT_EQ("", Build("C:\\x", Utf16(std::string(260, 'i'))));
}

TEST(ShellLinkBytes, NothingIsWrittenPastTheCapacity)
{
  std::string full = Build("C:\\Books\\index.htm", Utf16("C:\\Books\\book.ico"));
  ASSERT_FALSE(full.empty());
  std::vector<unsigned char> buffer(full.size() + 8, 0xAB);
  EXPECT_EQ(0u, BuildShellLinkBytes("C:\\Books\\index.htm", Utf16("C:\\Books\\book.ico").data(), 17,
                                    buffer.data(), full.size() - 1));
  for (unsigned char byte : buffer) EXPECT_EQ(0xAB, byte);
  EXPECT_EQ(full.size(),
            BuildShellLinkBytes("C:\\Books\\index.htm", Utf16("C:\\Books\\book.ico").data(), 17,
                                buffer.data(), full.size()));
  EXPECT_EQ(0xAB, buffer[full.size()]);
}

}  // namespace
