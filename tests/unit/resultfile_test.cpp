// Reading and writing values of the result file's ADRTP section.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "faults.h"
#include "filecontent.h"
#include "profileread.h"
#include "resultfile.h"
#include "tempfolder.h"

namespace {

std::vector<DWORD> g_ReadSizes;

DWORD CountingRead(LPCSTR pSection, LPCSTR pKey, LPCSTR pDefault, LPSTR pOut, DWORD nSize,
                   LPCSTR pFile)
{
  g_ReadSizes.push_back(nSize);
  return PlatformProfileRead(pSection, pKey, pDefault, pOut, nSize, pFile);
}

class ResultFileValues : public ::testing::Test
{
protected:
  void SetUp() override
  {
    m_Path = m_Folder.File("run.rtp");
    g_ReadSizes.clear();
    g_pfnProfileRead = CountingRead;
  }
  void TearDown() override
  {
    g_pfnProfileRead = PlatformProfileRead;
    ResetFaults();
  }

  void Store(const std::string& customPath)
  {
    ASSERT_TRUE(WriteWholeFile(m_Path, "[ADRTP]\r\nExePath=C:\\Books\r\nCustomPath=" + customPath +
                                           "\r\n[Other]\r\nCustomPath=elsewhere\r\n"));
  }

  int Read(const char* pKey, std::vector<char>& rOut, DWORD& rLength)
  {
    return ReadResultValue(m_Path.c_str(), pKey, rOut.data(), &rLength);
  }

  TTempFolder m_Folder;
  std::string m_Path;
};

TEST_F(ResultFileValues, CopiesAValueThatFitsAndLeavesTheLengthAlone)
{
  Store("D:\\Reader\\Atlas");
  std::vector<char> out(64, 'X');
  DWORD nLength = 64;
  EXPECT_EQ(READ_RESULT_COPIED, Read("CustomPath", out, nLength));
  EXPECT_STREQ("D:\\Reader\\Atlas", out.data());
  EXPECT_EQ(64u, nLength);
  EXPECT_EQ(READ_RESULT_COPIED, Read("customPATH", out, nLength));
  EXPECT_STREQ("D:\\Reader\\Atlas", out.data());
}

TEST_F(ResultFileValues, EmptyValueIsCopiedEmpty)
{
  Store("");
  std::vector<char> out(8, 'X');
  DWORD nLength = 8;
  EXPECT_EQ(READ_RESULT_COPIED, Read("CustomPath", out, nLength));
  EXPECT_STREQ("", out.data());
}

TEST_F(ResultFileValues, CapacityEdgeIsLengthMinusOne)
{
  for (size_t nValue : {size_t(13), size_t(14), size_t(15), size_t(16), size_t(300)}) {
    std::string value(nValue, 'p');
    Store(value);
    std::vector<char> out(nValue + 1, 'X');
    DWORD nLength = static_cast<DWORD>(nValue + 1);
    EXPECT_EQ(READ_RESULT_COPIED, Read("CustomPath", out, nLength)) << nValue;
    EXPECT_EQ(value, std::string(out.data())) << nValue;
    EXPECT_EQ(nValue + 1, nLength);

    std::vector<char> small(nValue, 'X');
    DWORD nSmall = static_cast<DWORD>(nValue);
    EXPECT_EQ(READ_RESULT_TOO_SMALL, Read("CustomPath", small, nSmall)) << nValue;
    EXPECT_EQ(nValue + 256, nSmall);
    EXPECT_EQ(std::string(nValue, 'X'), std::string(small.begin(), small.end()));
  }
}

TEST_F(ResultFileValues, LongValueIsReadWholeThroughGrowingScratch)
{
  std::string value(600, 'q');
  Store(value);
  std::vector<char> out(1024);
  DWORD nLength = 1024;
  EXPECT_EQ(READ_RESULT_COPIED, Read("CustomPath", out, nLength));
  EXPECT_EQ(value, out.data());
  EXPECT_EQ((std::vector<DWORD>{16, 272, 528, 784}), g_ReadSizes);
}

TEST_F(ResultFileValues, MissingKeySectionOrFileReadsAsMissing)
{
  Store("x");
  std::vector<char> out(16, 'X');
  DWORD nLength = 16;
  EXPECT_EQ(READ_RESULT_MISSING, Read("NoSuchKey", out, nLength));
  ASSERT_TRUE(WriteWholeFile(m_Path, "[Other]\r\nCustomPath=elsewhere\r\n"));
  EXPECT_EQ(READ_RESULT_MISSING, Read("CustomPath", out, nLength));
  std::string absent = m_Folder.File("absent.rtp");
  EXPECT_EQ(READ_RESULT_MISSING, ReadResultValue(absent.c_str(), "ExePath", out.data(), &nLength));
  EXPECT_EQ('X', out[0]);
  EXPECT_EQ(16u, nLength);
}

TEST_F(ResultFileValues, SentinelInAnyCaseOrAsAPrefixReadsAsMissing)
{
  for (const char* pStored : {"NOT_FOUND_ERROR", "Not_Found_Error", "not_found_error_and_more"}) {
    Store(pStored);
    std::vector<char> out(64, 'X');
    DWORD nLength = 64;
    EXPECT_EQ(READ_RESULT_MISSING, Read("CustomPath", out, nLength)) << pStored;
    EXPECT_EQ('X', out[0]);
  }
}

TEST_F(ResultFileValues, FailedAllocationReadsAsMissing)
{
  Store(std::string(400, 'a'));
  std::vector<char> out(1024, 'X');
  for (int nCall = 1; nCall <= 3; ++nCall) {
    ArmFault(FAULT_ALLOCATION, nCall, 1);
    DWORD nLength = 1024;
    EXPECT_EQ(READ_RESULT_MISSING, Read("CustomPath", out, nLength)) << nCall;
    EXPECT_EQ(1024u, nLength);
    EXPECT_EQ('X', out[0]);
    ResetFaults();
  }
}

TEST_F(ResultFileValues, WriteCreatesReplacesAndKeepsOtherValues)
{
  EXPECT_NE(0, WriteResultValue(m_Path.c_str(), "CustomPath", "D:\\Atlas"));
  EXPECT_NE(0, WriteResultValue(m_Path.c_str(), "ExitCode", "3"));
  EXPECT_NE(0, WriteResultValue(m_Path.c_str(), "exitcode", "0"));
  std::vector<char> out(64);
  DWORD nLength = 64;
  EXPECT_EQ(READ_RESULT_COPIED, Read("CustomPath", out, nLength));
  EXPECT_STREQ("D:\\Atlas", out.data());
  EXPECT_EQ(READ_RESULT_COPIED, Read("ExitCode", out, nLength));
  EXPECT_STREQ("0", out.data());
  EXPECT_EQ("[ADRTP]\r\nCustomPath=D:\\Atlas\r\nExitCode=0\r\n", ReadWholeFile(m_Path));
}

// A section may carry the name the reader uses as its "missing" answer.
TEST_F(ResultFileValues, WriteAfterASectionNamedLikeTheSentinelKeepsBoth)
{
  ASSERT_TRUE(WriteWholeFile(m_Path, "[not_found_error]\r\nk=1\r\n"));
  EXPECT_NE(0, WriteResultValue(m_Path.c_str(), "ExitCode", "0"));
  std::vector<char> out(64);
  DWORD nLength = 64;
  EXPECT_EQ(READ_RESULT_COPIED, Read("ExitCode", out, nLength));
  EXPECT_STREQ("0", out.data());
  char aOther[8];
  EXPECT_EQ(1u, GetPrivateProfileStringA("not_found_error", "k", "", aOther, sizeof aOther,
                                         m_Path.c_str()));
  EXPECT_STREQ("1", aOther);
}

TEST_F(ResultFileValues, WriteIntoAMissingFolderFails)
{
  std::string path = m_Folder.File("no-such-folder/run.rtp");
  EXPECT_EQ(0, WriteResultValue(path.c_str(), "ExitCode", "0"));
  EXPECT_FALSE(FileExists(path));
}

}  // namespace
