// Private profile files: one source, run against the real functions under
// Windows and against the stand-ins natively. Only what Windows and Wine
// share is asserted (a cut list, for one, is checked up to its first NUL
// after the count: Wine writes no second one).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "filecontent.h"
#include "platform.h"
#include "tempfolder.h"

namespace {

struct TReadBack
{
  DWORD nCount;
  std::string buffer;  // the whole buffer, 'X' where nothing was written
};

class ProfileConformance : public ::testing::Test
{
protected:
  std::string Use(const std::string& content)
  {
    EXPECT_TRUE(WriteWholeFile(m_Path, content));
    return m_Path;
  }

  TReadBack Read(const char* pSection, const char* pKey, const char* pDefault, DWORD nSize,
                 const std::string& path)
  {
    TReadBack result;
    result.buffer.assign(nSize + 1, 'X');
    result.nCount =
        GetPrivateProfileStringA(pSection, pKey, pDefault, &result.buffer[0], nSize, path.c_str());
    return result;
  }
  TReadBack Read(const char* pSection, const char* pKey, DWORD nSize)
  {
    return Read(pSection, pKey, "dflt", nSize, m_Path);
  }

  std::string Value(const char* pSection, const char* pKey, const char* pDefault = "dflt")
  {
    TReadBack result = Read(pSection, pKey, pDefault, 512, m_Path);
    return result.buffer.substr(0, result.nCount);
  }

  BOOL Write(const char* pSection, const char* pKey, const char* pValue)
  {
    return WritePrivateProfileStringA(pSection, pKey, pValue, m_Path.c_str());
  }

  TTempFolder m_Folder;
  std::string m_Path = m_Folder.File("test.ini");
};

const char g_Sample[] =
    "[section1]\r\nname1=val1\r\nname2=\"val2\"\r\nname3\r\nname4=a\r\n"
    "[section2]\r\nfourteen=abcdefghijklmn\r\nfifteen=abcdefghijklmno\r\n"
    "sixteen=abcdefghijklmnop\r\n";

TEST_F(ProfileConformance, ValueCountsAndTruncationAroundTheBufferSize)
{
  Use(g_Sample);
  struct
  {
    const char* pKey;
    DWORD nSize;
    DWORD nCount;
    const char* pText;
  } aCases[] = {
      {"name1", 1, 0, ""},
      {"name1", 2, 1, "v"},
      {"name1", 4, 3, "val"},
      {"name1", 5, 4, "val1"},
      {"name1", 6, 4, "val1"},
      {"fourteen", 14, 13, "abcdefghijklm"},
      {"fourteen", 15, 14, "abcdefghijklmn"},
      {"fourteen", 16, 14, "abcdefghijklmn"},
      {"fifteen", 16, 15, "abcdefghijklmno"},
      {"sixteen", 16, 15, "abcdefghijklmno"},
      {"sixteen", 17, 16, "abcdefghijklmnop"},
  };
  for (const auto& rCase : aCases) {
    const char* pSection = rCase.pKey[0] == 'n' ? "section1" : "section2";
    TReadBack result = Read(pSection, rCase.pKey, rCase.nSize);
    EXPECT_EQ(rCase.nCount, result.nCount) << rCase.pKey << " size " << rCase.nSize;
    EXPECT_EQ(std::string(rCase.pText) + '\0', result.buffer.substr(0, rCase.nCount + 1))
        << rCase.pKey << " size " << rCase.nSize;
  }
}

TEST_F(ProfileConformance, DefaultForWhatIsMissing)
{
  Use(g_Sample);
  EXPECT_EQ("dflt", Value("section1", "absent"));
  EXPECT_EQ("dflt", Value("absent", "name1"));
  EXPECT_EQ("dflt", Value("section1", "name3"));  // a line without "=" is no key
  EXPECT_EQ("", Value("section1", "absent", ""));
  TReadBack result = Read("s", "k", "not_found_error", 16, m_Folder.File("absent.ini"));
  EXPECT_EQ(15u, result.nCount);
  EXPECT_EQ(std::string("not_found_error") + '\0', result.buffer.substr(0, 16));
  result = Read("s", "k", "nineteen_characters", 16, m_Folder.File("absent.ini"));
  EXPECT_EQ(15u, result.nCount);
  EXPECT_EQ(std::string("nineteen_charac") + '\0', result.buffer.substr(0, 16));
}

TEST_F(ProfileConformance, NamesIgnoreCaseAndSurroundingBlanks)
{
  Use("[Sec One]\r\nMixedCase=mc\r\n   spaced key   =   spaced value   \r\ntabbed\t=\tv\t\r\n"
      "  [  indented  ]\r\nk=i\r\n");
  EXPECT_EQ("mc", Value("sec one", "MIXEDCASE"));
  EXPECT_EQ("spaced value", Value("SEC ONE", "spaced key"));
  EXPECT_EQ("v", Value("Sec One", "tabbed"));
  EXPECT_EQ("i", Value("indented", "k"));
}

TEST_F(ProfileConformance, ValuesLoseSurroundingQuotesOnly)
{
  Use("[q]\r\ndq=\"val2\"\r\nsq='val3'\r\nunbal=\"abc\r\ninner=a \"b\" c\r\n"
      "padded=\" padded \"\r\neq=a=b\r\nempty=\r\n");
  EXPECT_EQ("val2", Value("q", "dq"));
  EXPECT_EQ("val3", Value("q", "sq"));
  EXPECT_EQ("\"abc", Value("q", "unbal"));
  EXPECT_EQ("a \"b\" c", Value("q", "inner"));
  EXPECT_EQ(" padded ", Value("q", "padded"));
  EXPECT_EQ("a=b", Value("q", "eq"));
  EXPECT_EQ("", Value("q", "empty"));
}

TEST_F(ProfileConformance, FirstOfRepeatedKeysAndSectionsWins)
{
  Use("[dupsec]\r\nx=1\r\ndup=first\r\ndup=second\r\n[other]\r\nz=0\r\n[dupsec]\r\ny=2\r\nx=3\r\n");
  EXPECT_EQ("first", Value("dupsec", "dup"));
  EXPECT_EQ("1", Value("dupsec", "x"));
  EXPECT_EQ("dflt", Value("dupsec", "y"));
}

TEST_F(ProfileConformance, LineEndsOfEveryKind)
{
  for (const char* pEnd : {"\r\n", "\n", "\r"}) {
    std::string e = pEnd;
    Use("[a]" + e + "k=v" + e + "[b]" + e + "q=r");
    EXPECT_EQ("v", Value("a", "k")) << "line end " << int(pEnd[0]);
    EXPECT_EQ("r", Value("b", "q")) << "line end " << int(pEnd[0]);
    TReadBack sections = Read(nullptr, nullptr, 64);
    EXPECT_EQ(4u, sections.nCount);
    EXPECT_EQ(std::string("a\0b\0\0", 5), sections.buffer.substr(0, 5));
  }
}

TEST_F(ProfileConformance, SectionListCountsAndCuts)
{
  Use("[section1]\r\n[section2]\r\n[ section3 ]\r\n");
  const std::string whole("section1\0section2\0section3\0\0", 28);
  struct
  {
    DWORD nSize;
    DWORD nCount;
  } aCases[] = {
      {100, 27}, {29, 27}, {28, 26}, {27, 25}, {16, 14}, {11, 9}, {10, 8}, {9, 7}, {2, 0},
  };
  for (const auto& rCase : aCases) {
    TReadBack result = Read(nullptr, nullptr, rCase.nSize);
    EXPECT_EQ(rCase.nCount, result.nCount) << "size " << rCase.nSize;
    std::string expected = whole.substr(0, rCase.nCount) + '\0';
    EXPECT_EQ(expected, result.buffer.substr(0, rCase.nCount + 1)) << "size " << rCase.nSize;
  }
  // The key is ignored when no section is named.
  EXPECT_EQ(27u, Read(nullptr, "name1", "dflt", 100, m_Path).nCount);
}

TEST_F(ProfileConformance, KeyListSkipsLinesWithoutEqualsAndCuts)
{
  Use("[section1]\r\nname1=val1\r\nname2=\r\nname3\r\nname4=a\r\n[section2]\r\n");
  TReadBack result = Read("section1", nullptr, 100);
  EXPECT_EQ(18u, result.nCount);
  EXPECT_EQ(std::string("name1\0name2\0name4\0\0", 19), result.buffer.substr(0, 19));
  result = Read("section1", nullptr, 16);
  EXPECT_EQ(14u, result.nCount);
  EXPECT_EQ(std::string("name1\0name2\0na\0", 15), result.buffer.substr(0, 15));
  result = Read("SECTION1", nullptr, 20);
  EXPECT_EQ(18u, result.nCount);
  result = Read("section1", nullptr, 19);
  EXPECT_EQ(17u, result.nCount);
  EXPECT_EQ(std::string("name1\0name2\0name4\0", 18), result.buffer.substr(0, 18));
}

TEST_F(ProfileConformance, MissingFileGivesAnEmptySectionList)
{
  TReadBack result = Read(nullptr, nullptr, "dflt", 10, m_Folder.File("absent.ini"));
  EXPECT_EQ(0u, result.nCount);
  EXPECT_EQ('\0', result.buffer[0]);
  result = Read(nullptr, nullptr, "dflt", 10, m_Folder.Path());
  EXPECT_EQ(0u, result.nCount);
}

TEST_F(ProfileConformance, WritesBuildFilesSectionBySection)
{
  ASSERT_TRUE(Write("App1", "key1", "string1"));
  EXPECT_EQ("[App1]\r\nkey1=string1\r\n", ReadWholeFile(m_Path));
  ASSERT_TRUE(Write("App1", "key2", "string2"));
  ASSERT_TRUE(Write("App2", "key4", "string4"));
  ASSERT_TRUE(Write("App1", "key3", "string3"));
  ASSERT_TRUE(Write("App3", "key5", ""));
  EXPECT_EQ(
      "[App1]\r\nkey1=string1\r\nkey2=string2\r\nkey3=string3\r\n[App2]\r\nkey4=string4\r\n"
      "[App3]\r\nkey5=\r\n",
      ReadWholeFile(m_Path));
}

TEST_F(ProfileConformance, WriteReplacesInPlaceKeepingNamesAsWritten)
{
  Use("[App]\r\nkey=string\r\nnext=1\r\n[Later]\r\nkey=other\r\n");
  ASSERT_TRUE(Write("app", "KEY", "case"));
  EXPECT_EQ("[App]\r\nkey=case\r\nnext=1\r\n[Later]\r\nkey=other\r\n", ReadWholeFile(m_Path));
  EXPECT_EQ("case", Value("APP", "key"));
}

TEST_F(ProfileConformance, WriteKeepsCommentsAndOtherLines)
{
  Use("; header comment\r\n[Sec]\r\nkey1=old\r\n; inner comment\r\nnoequals\r\nother=1\r\n"
      "[Sec2]\r\nx=y\r\n");
  ASSERT_TRUE(Write("Sec", "key1", "new"));
  ASSERT_TRUE(Write("Sec", "added", "a"));
  EXPECT_EQ(
      "; header comment\r\n[Sec]\r\nkey1=new\r\n; inner comment\r\nnoequals\r\nother=1\r\n"
      "added=a\r\n[Sec2]\r\nx=y\r\n",
      ReadWholeFile(m_Path));
}

TEST_F(ProfileConformance, WriteChangesTheFirstOfRepeatedKeys)
{
  Use("[s]\r\ndup=1\r\ndup=2\r\n");
  ASSERT_TRUE(Write("s", "dup", "3"));
  EXPECT_EQ("[s]\r\ndup=3\r\ndup=2\r\n", ReadWholeFile(m_Path));
}

TEST_F(ProfileConformance, RefusedWritesLeaveEverythingAsItWas)
{
  std::string inMissingFolder = m_Folder.File("missing/test.ini");
  EXPECT_FALSE(WritePrivateProfileStringA("s", "k", "v", inMissingFolder.c_str()));
  EXPECT_FALSE(FileExists(inMissingFolder));

  EXPECT_FALSE(WritePrivateProfileStringA("s", "k", "v", m_Folder.Path().c_str()));
  EXPECT_TRUE(std::filesystem::is_directory(m_Folder.Path()));
  // A read-only file is left to the POSIX tests: Wine run as root writes it.
}

TEST_F(ProfileConformance, ReadAfterWriteSeesTheNewValue)
{
  Use("[s]\r\nk=1\r\n");
  EXPECT_EQ("1", Value("s", "k"));
  ASSERT_TRUE(Write("s", "k", "2"));
  EXPECT_EQ("2", Value("s", "k"));
  Use("[s]\r\nk=3\r\n");
  EXPECT_EQ("3", Value("s", "k"));
  std::filesystem::remove(m_Path);
  EXPECT_EQ("dflt", Value("s", "k"));
}

}  // namespace
