// POSIX: what the stand-ins promise beyond what Windows and Wine share:
// every byte a write does not concern is kept, files are replaced whole,
// the kept parse never goes stale, and no file makes a read misbehave.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <random>
#include <cstring>
#include <string>

#include "faults.h"
#include "filecontent.h"
#include "platform.h"
#include "tempfolder.h"

namespace {

class ProfileStandIn : public ::testing::Test
{
protected:
  void TearDown() override { ResetFaults(); }

  BOOL Write(const char* pSection, const char* pKey, const char* pValue)
  {
    return WritePrivateProfileStringA(pSection, pKey, pValue, m_Path.c_str());
  }

  std::string Value(const char* pSection, const char* pKey)
  {
    char aOut[256];
    DWORD n = GetPrivateProfileStringA(pSection, pKey, "dflt", aOut, sizeof aOut, m_Path.c_str());
    return std::string(aOut, n);
  }

  ino_t Inode() const
  {
    struct stat info;
    return stat(m_Path.c_str(), &info) == 0 ? info.st_ino : 0;
  }

  TTempFolder m_Folder;
  std::string m_Path = m_Folder.File("test.ini");
};

TEST_F(ProfileStandIn, WriteKeepsEveryByteItDoesNotConcern)
{
  const std::string before =
      std::string("junk\0before\n", 12) + "[a]\n  k = v  \n\n; note\n\n[b]\nq=r";
  ASSERT_TRUE(WriteWholeFile(m_Path, before));
  ASSERT_TRUE(Write("a", "k", "v2"));
  EXPECT_EQ(std::string("junk\0before\n", 12) + "[a]\nk=v2\n\n; note\n\n[b]\nq=r",
            ReadWholeFile(m_Path));
  ASSERT_TRUE(Write("A", "added", "1"));
  EXPECT_EQ(std::string("junk\0before\n", 12) + "[a]\nk=v2\n\n; note\nadded=1\n\n[b]\nq=r",
            ReadWholeFile(m_Path));
  ASSERT_TRUE(Write("b", "s", "t"));
  EXPECT_EQ(std::string("junk\0before\n", 12) + "[a]\nk=v2\n\n; note\nadded=1\n\n[b]\nq=r\ns=t\n",
            ReadWholeFile(m_Path));
  ASSERT_TRUE(Write("  new sec  ", "  key  ", " value"));
  EXPECT_EQ(std::string("junk\0before\n", 12) +
                "[a]\nk=v2\n\n; note\nadded=1\n\n[b]\nq=r\ns=t\n[new sec]\nkey= value\n",
            ReadWholeFile(m_Path));
}

TEST_F(ProfileStandIn, NewSectionFollowsTheFilesOwnLineEnds)
{
  ASSERT_TRUE(WriteWholeFile(m_Path, "[a]\rk=v"));
  ASSERT_TRUE(Write("b", "x", "1"));
  EXPECT_EQ("[a]\rk=v\r[b]\rx=1\r", ReadWholeFile(m_Path));
}

TEST_F(ProfileStandIn, UnchangedValueLeavesTheFileUntouched)
{
  ASSERT_TRUE(WriteWholeFile(m_Path, "[s]\n  k = v  \n"));
  ino_t before = Inode();
  ASSERT_TRUE(Write("S", "K", "v"));
  EXPECT_EQ(before, Inode());
  EXPECT_EQ("[s]\n  k = v  \n", ReadWholeFile(m_Path));
}

TEST_F(ProfileStandIn, FileIsReplacedWholeAndKeepsItsMode)
{
  ASSERT_TRUE(WriteWholeFile(m_Path, "[s]\nk=1\n"));
  ASSERT_EQ(0, chmod(m_Path.c_str(), 0640));
  ino_t before = Inode();
  ASSERT_TRUE(Write("s", "k", "2"));
  EXPECT_NE(before, Inode());
  struct stat info;
  ASSERT_EQ(0, stat(m_Path.c_str(), &info));
  EXPECT_EQ(0640u, info.st_mode & 07777);
  size_t nEntries = 0;
  for (const auto& rEntry : std::filesystem::directory_iterator(m_Folder.Path())) {
    (void)rEntry;
    ++nEntries;
  }
  EXPECT_EQ(1u, nEntries);  // no temporary file left behind
}

TEST_F(ProfileStandIn, ArmedFaultRefusesTheWrite)
{
  ASSERT_TRUE(WriteWholeFile(m_Path, "[s]\nk=1\n"));
  ArmFault(FAULT_PROFILE_WRITE, 2, 1);
  EXPECT_TRUE(Write("s", "k", "2"));
  SetLastError(0);
  EXPECT_FALSE(Write("s", "k", "3"));
  EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), GetLastError());
  EXPECT_TRUE(Write("s", "k", "4"));
  EXPECT_EQ("4", Value("s", "k"));
}

TEST_F(ProfileStandIn, ErrorsOfRefusedWrites)
{
  SetLastError(0);
  EXPECT_FALSE(WritePrivateProfileStringA("s", "k", "v", m_Folder.File("none/x.ini").c_str()));
  EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), GetLastError());
  EXPECT_FALSE(WritePrivateProfileStringA("s", "k", "v", m_Folder.Path().c_str()));
  EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), GetLastError());
}

TEST_F(ProfileStandIn, ReadOnlyFileIsRefusedWhoeverAsks)
{
  // Tests may run as root, whom the file system would let through.
  ASSERT_TRUE(WriteWholeFile(m_Path, "[s]\nk=v\n"));
  ASSERT_EQ(0, chmod(m_Path.c_str(), 0444));
  SetLastError(0);
  EXPECT_FALSE(Write("s", "k", "changed"));
  EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), GetLastError());
  EXPECT_EQ("[s]\nk=v\n", ReadWholeFile(m_Path));
  EXPECT_EQ("v", Value("s", "k"));
}

TEST_F(ProfileStandIn, RewritesInPlaceAreSeenAtOnce)
{
  // Same size, same inode, well inside one tick of the file system clock.
  for (int i = 0; i < 50; ++i) {
    std::string digit(1, static_cast<char>('0' + i % 10));
    ASSERT_TRUE(WriteWholeFile(m_Path, "[s]\nk=" + digit + "\n"));
    ASSERT_EQ(digit, Value("s", "k")) << i;
  }
}

TEST_F(ProfileStandIn, KeysBeforeTheFirstSectionBelongToNone)
{
  ASSERT_TRUE(WriteWholeFile(m_Path, "k=orphan\n[s]\nk=v\n"));
  EXPECT_EQ("v", Value("s", "k"));
  char aList[64];
  EXPECT_EQ(2u,
            GetPrivateProfileStringA(nullptr, nullptr, "", aList, sizeof aList, m_Path.c_str()));
  EXPECT_STREQ("s", aList);
}

TEST_F(ProfileStandIn, NoFileMakesAReadOverrunOrHang)
{
  std::mt19937 random(12345);
  const char aAlphabet[] = "[]=;\"' \t\r\nabcAB\0\xff";
  for (int nFile = 0; nFile < 200; ++nFile) {
    std::string content;
    size_t nLength = random() % 400;
    for (size_t i = 0; i < nLength; ++i) content += aAlphabet[random() % (sizeof aAlphabet - 1)];
    ASSERT_TRUE(WriteWholeFile(m_Path, content));
    for (DWORD nSize : {2u, 3u, 7u, 64u, 1024u}) {
      std::string sections(nSize + 1, 'X');
      DWORD nCount =
          GetPrivateProfileStringA(nullptr, nullptr, "d", &sections[0], nSize, m_Path.c_str());
      ASSERT_LT(nCount, nSize) << nFile;
      ASSERT_EQ('\0', sections[nCount]);
      ASSERT_EQ('X', sections[nSize]);
      for (const char* pName = sections.c_str(); *pName && pName < sections.c_str() + nCount;
           pName += strlen(pName) + 1) {
        std::string keys(nSize + 1, 'X');
        DWORD nKeys =
            GetPrivateProfileStringA(pName, nullptr, "d", &keys[0], nSize, m_Path.c_str());
        ASSERT_LT(nKeys, nSize);
        ASSERT_EQ('X', keys[nSize]);
        std::string value(nSize + 1, 'X');
        DWORD nValue =
            GetPrivateProfileStringA(pName, keys.c_str(), "d", &value[0], nSize, m_Path.c_str());
        ASSERT_LT(nValue, nSize);
        ASSERT_EQ('\0', value[nValue]);
        ASSERT_EQ('X', value[nSize]);
      }
    }
  }
}

}  // namespace
