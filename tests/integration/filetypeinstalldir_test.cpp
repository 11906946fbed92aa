// The .7xe file type, the import marker and the install-directory record,
// against the real registry (under Wine, with the keys put back afterwards)
// or the test's own registry (POSIX).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "filecontent.h"
#include "filetypeinstalldir.h"
#include "modetwoworld.h"
#include "platform.h"
#include "postextractionsettings.h"
#include "registrator_after.h"

namespace {

const std::string SEP = PATH_SEPARATOR_TEXT;

struct ModeTwoFileType : ::testing::Test
{
  void SetUp() override
  {
    ASSERT_TRUE(world.Ready());
    DeleteRegistryTree(HKEY_CLASSES_ROOT, ".7xe");
    DeleteRegistryTree(HKEY_CLASSES_ROOT, "7xefile");
    marker = world.File("import.7xe");
  }
  std::string TypeClass()
  {
    std::string value = "(none)";
    ReadRegString(HKEY_CLASSES_ROOT, ".7xe", nullptr, value);
    return value;
  }

  TModeTwoWorld world;
  TPostExtractionRunner runner;  // resets the settings
  std::string marker;
};

TEST_F(ModeTwoFileType, AnUnregisteredTypeIsRegisteredAndTheMarkerHoldsOneBlank)
{
  ASSERT_TRUE(WriteWholeFile(marker, "old content\r\nof two lines"));
  EXPECT_EQ(1, WriteImportMarker(marker.c_str()));
  EXPECT_EQ("7xefile", TypeClass());
  EXPECT_TRUE(RegKeyExists(HKEY_CLASSES_ROOT, "7xefile"));
  EXPECT_EQ(" ", ReadWholeFile(marker));
}

TEST_F(ModeTwoFileType, AnotherProgramsClassIsLeftAlone)
{
  ASSERT_TRUE(WriteRegString(HKEY_CLASSES_ROOT, ".7xe", nullptr, "Other.Reader"));
  EXPECT_EQ(1, RegisterBookFileType());
  EXPECT_EQ(1, WriteImportMarker(marker.c_str()));
  EXPECT_EQ("Other.Reader", TypeClass());
  EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, "7xefile"));
  EXPECT_EQ(" ", ReadWholeFile(marker));
}

TEST_F(ModeTwoFileType, AnEmptyMissingOrOverLongDefaultIsReplaced)
{
  ASSERT_TRUE(WriteRegString(HKEY_CLASSES_ROOT, ".7xe", nullptr, ""));
  EXPECT_EQ(1, RegisterBookFileType());
  EXPECT_EQ("7xefile", TypeClass());

  DeleteRegistryTree(HKEY_CLASSES_ROOT, ".7xe");
  ASSERT_TRUE(WriteRegString(HKEY_CLASSES_ROOT, ".7xe", "Content Type", "application/x-book"));
  EXPECT_EQ(1, RegisterBookFileType());
  EXPECT_EQ("7xefile", TypeClass());

  ASSERT_TRUE(WriteRegString(HKEY_CLASSES_ROOT, ".7xe", nullptr, std::string(511, 'c')));
  EXPECT_EQ(1, RegisterBookFileType());
  EXPECT_EQ(std::string(511, 'c'), TypeClass());
  ASSERT_TRUE(WriteRegString(HKEY_CLASSES_ROOT, ".7xe", nullptr, std::string(512, 'c')));
  EXPECT_EQ(1, RegisterBookFileType());
  EXPECT_EQ("7xefile", TypeClass());
}

TEST_F(ModeTwoFileType, AnExistingClassKeyIsKept)
{
  ASSERT_TRUE(WriteRegString(HKEY_CLASSES_ROOT, "7xefile", nullptr, "Book import"));
  EXPECT_EQ(1, RegisterBookFileType());
  std::string description;
  EXPECT_TRUE(ReadRegString(HKEY_CLASSES_ROOT, "7xefile", nullptr, description));
  EXPECT_EQ("Book import", description);
}

// The book's folder may hold a link planted by another user.
TEST_F(ModeTwoFileType, AMarkerNameThatIsALinkWritesNothingThroughIt)
{
  const std::string elsewhere = world.File("elsewhere.txt");
  ASSERT_TRUE(WriteWholeFile(elsewhere, "another user's file"));
  std::error_code ec;
  std::filesystem::create_symlink(elsewhere, marker, ec);
  if (ec) GTEST_SKIP() << "no symbolic link can be made here: " << ec.message();
  EXPECT_EQ(1, WriteImportMarker(marker.c_str()));
  EXPECT_EQ("another user's file", ReadWholeFile(elsewhere));
  EXPECT_EQ("7xefile", TypeClass());
}

TEST_F(ModeTwoFileType, NoMarkerPathTouchesNothing)
{
  EXPECT_EQ(1, WriteImportMarker(""));
  EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, ".7xe"));
}

TEST_F(ModeTwoFileType, AMarkerThatCannotBeWrittenStillRegistersTheType)
{
  std::string unwritable = world.File("missing" + SEP + "import.7xe");
  EXPECT_EQ(1, WriteImportMarker(unwritable.c_str()));
  EXPECT_FALSE(FileExists(unwritable));
  EXPECT_EQ("7xefile", TypeClass());
}

TEST_F(ModeTwoFileType, TheInstallDirectoryGoesIntoAnExistingBookKeyOnly)
{
  TPostExtractionSettings& settings = g_PostSettings;
  ASSERT_TRUE(settings.BookId.Assign(world.BookId().c_str()));
  ASSERT_TRUE(settings.InstallDirectory.Assign("C:\\Books\\Atlas"));
  EXPECT_EQ(1, RecordInstallDirectory());
  EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, world.BookKey()));

  ASSERT_TRUE(world.MakeBookKey(1, 1));
  EXPECT_EQ(1, RecordInstallDirectory());
  std::string recorded;
  EXPECT_TRUE(ReadRegString(HKEY_CURRENT_USER, world.BookKey(), "Install Directory", recorded));
  EXPECT_EQ("C:\\Books\\Atlas", recorded);

  settings.InstallDirectory.Clear();
  EXPECT_EQ(1, RecordInstallDirectory());
  EXPECT_TRUE(ReadRegString(HKEY_CURRENT_USER, world.BookKey(), "Install Directory", recorded));
  EXPECT_EQ("", recorded);
}

}  // namespace
