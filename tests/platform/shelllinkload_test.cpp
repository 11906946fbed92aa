// Links written by the portable writer load in the shell's own link object
// (under Wine) with the same target and icon; links saved by the program's
// link seam read back the same on every platform.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "filecontent.h"
#include "platform.h"
#include "shelllink.h"
#include "shelllinkfile.h"
#include "shelllinkread.h"
#include "tempfolder.h"

namespace {

struct ShellLinkLoad : ::testing::Test
{
  void SetUp() override
  {
    ASSERT_FALSE(folder.Path().empty());
    comStarted = SUCCEEDED(CoInitialize(0));
  }
  void TearDown() override
  {
    if (comStarted) CoUninitialize();
  }
  std::string WriteBytes(const std::string& name, const std::string& target,
                         const std::string& icon)
  {
    std::vector<uint16_t> wide(icon.begin(), icon.end());
    unsigned char bytes[SHELL_LINK_MAX_BYTES];
    size_t count =
        BuildShellLinkBytes(target.c_str(), wide.data(), wide.size(), bytes, sizeof bytes);
    EXPECT_NE(0u, count);
    std::string path = folder.File(name);
    EXPECT_TRUE(WriteWholeFile(path, std::string(reinterpret_cast<char*>(bytes), count)));
    return path;
  }

  TTempFolder folder;
  bool comStarted = false;
};

TEST_F(ShellLinkLoad, AWrittenLinkLoadsWithItsTargetAndIcon)
{
  std::string target = folder.File("index.htm");
  std::string icon = folder.File("book.ico");
  ASSERT_TRUE(WriteWholeFile(target, "<html></html>"));
  TLinkContent link = ReadShellLink(WriteBytes("with icon.lnk", target, icon));
  ASSERT_TRUE(link.Loaded);
  EXPECT_EQ(target, link.Target);
  EXPECT_EQ(icon, link.Icon);
  EXPECT_EQ(0, link.IconIndex);
}

TEST_F(ShellLinkLoad, AWrittenLinkWithoutIconHasNoIconLocation)
{
  std::string target = "C:\\Books\\Atlas\\index.htm";
  TLinkContent link = ReadShellLink(WriteBytes("no icon.lnk", target, ""));
  ASSERT_TRUE(link.Loaded);
  EXPECT_EQ(target, link.Target);
  EXPECT_EQ("", link.Icon);
}

TEST_F(ShellLinkLoad, TheSeamSavesALinkThatReadsBack)
{
  std::string target = folder.File("index.htm");
  std::string icon = folder.File("book.ico");
  ASSERT_TRUE(WriteWholeFile(target, "<html></html>"));
  std::string file = folder.File("saved.lnk");
  ASSERT_TRUE(SUCCEEDED(SaveShellLink(file.c_str(), target.c_str(), icon.c_str())));
  TLinkContent link = ReadShellLink(file);
  ASSERT_TRUE(link.Loaded);
  EXPECT_EQ(target, link.Target);
  EXPECT_EQ(icon, link.Icon);
  EXPECT_EQ(0, link.IconIndex);

  std::string plain = folder.File("plain.lnk");
  ASSERT_TRUE(SUCCEEDED(SaveShellLink(plain.c_str(), target.c_str(), "")));
  TLinkContent plainLink = ReadShellLink(plain);
  ASSERT_TRUE(plainLink.Loaded);
  EXPECT_EQ("", plainLink.Icon);
}

TEST_F(ShellLinkLoad, SavingIntoAMissingFolderFails)
{
  std::string file = folder.File("missing" PATH_SEPARATOR_TEXT "x.lnk");
  EXPECT_TRUE(FAILED(SaveShellLink(file.c_str(), folder.File("index.htm").c_str(), "")));
  EXPECT_FALSE(FileExists(file));
}

}  // namespace
