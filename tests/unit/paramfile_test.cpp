// The parameters-file walk over real files, with the profile reads watched
// through a counting wrapper around the platform's read.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "faults.h"
#include "filecontent.h"
#include "paramfile.h"
#include "profileread.h"
#include "tempfolder.h"

namespace {

typedef std::tuple<std::string, std::string, std::string> TVisit;

std::vector<TVisit> g_Visits;
std::string g_StopAtKey;

struct TRead
{
  bool bSection, bKey;
  std::string section, key;
  DWORD nSize;
  DWORD nCount;
};
std::vector<TRead> g_Reads;

DWORD CountingRead(LPCSTR pSection, LPCSTR pKey, LPCSTR pDefault, LPSTR pOut, DWORD nSize,
                   LPCSTR pFile)
{
  DWORD nCount = PlatformProfileRead(pSection, pKey, pDefault, pOut, nSize, pFile);
  g_Reads.push_back({pSection != nullptr, pKey != nullptr, pSection ? pSection : "",
                     pKey ? pKey : "", nSize, nCount});
  return nCount;
}

int Record(const char* pSection, const char* pKey, const char* pValue)
{
  g_Visits.emplace_back(pSection, pKey, pValue);
  return g_StopAtKey == pKey ? 0 : 1;
}

class ParametersFileWalk : public ::testing::Test
{
protected:
  void SetUp() override
  {
    g_Visits.clear();
    g_Reads.clear();
    g_StopAtKey.clear();
    g_pfnProfileRead = CountingRead;
  }
  void TearDown() override
  {
    g_pfnProfileRead = PlatformProfileRead;
    ResetFaults();
  }

  int Walk(const std::string& content)
  {
    std::string path = m_Folder.File("p.ini");
    EXPECT_TRUE(WriteWholeFile(path, content));
    return ParseParametersFile(path.c_str(), Record);
  }

  std::vector<DWORD> ValueReadSizes(const std::string& key) const
  {
    std::vector<DWORD> sizes;
    for (const TRead& rRead : g_Reads)
      if (rRead.bKey && rRead.key == key) sizes.push_back(rRead.nSize);
    return sizes;
  }

  TTempFolder m_Folder;
};

TEST_F(ParametersFileWalk, VisitsSectionsAndKeysInFileOrderAsWritten)
{
  EXPECT_EQ(1, Walk("[First]\r\nb=2\r\na=1\r\n[PARAMETERS]\r\nMODE=2\r\nautorunbookid=Atlas\r\n"));
  std::vector<TVisit> expected = {TVisit{"First", "b", "2"}, TVisit{"First", "a", "1"},
                                  TVisit{"PARAMETERS", "MODE", "2"},
                                  TVisit{"PARAMETERS", "autorunbookid", "Atlas"}};
  EXPECT_EQ(expected, g_Visits);
}

TEST_F(ParametersFileWalk, SkipsSectionsWithoutKeysAndKeepsEmptyValues)
{
  EXPECT_EQ(1, Walk("[a]\r\nx=1\r\n[empty]\r\n; only a comment\r\n[b]\r\ny=\r\n"));
  std::vector<TVisit> expected = {TVisit{"a", "x", "1"}, TVisit{"b", "y", ""}};
  EXPECT_EQ(expected, g_Visits);
}

TEST_F(ParametersFileWalk, GrowsTheValueBufferBy256UntilNothingIsCut)
{
  std::string value(300, 'v');
  EXPECT_EQ(1, Walk("[parameters]\r\nlong=" + value +
                    "\r\nfourteen=abcdefghijklmn\r\n"
                    "twelve=abcdefghijkl\r\nthirteen=abcdefghijklm\r\n"));
  ASSERT_EQ(4u, g_Visits.size());
  EXPECT_EQ(value, std::get<2>(g_Visits[0]));
  EXPECT_EQ("abcdefghijklmn", std::get<2>(g_Visits[1]));
  EXPECT_EQ((std::vector<DWORD>{16, 272, 528}), ValueReadSizes("long"));
  // 14 is not below 16 - 2, so a value that fitted is read a second time.
  EXPECT_EQ((std::vector<DWORD>{16, 272}), ValueReadSizes("fourteen"));
  EXPECT_EQ((std::vector<DWORD>{16}), ValueReadSizes("thirteen"));
  EXPECT_EQ((std::vector<DWORD>{16}), ValueReadSizes("twelve"));
}

TEST_F(ParametersFileWalk, GrowsTheNameListsAndReadsEachListWhole)
{
  EXPECT_EQ(1, Walk("[section1]\r\nkey1=1\r\n[section2]\r\nkey2=2\r\n[section3]\r\n"
                    "key3=3\r\nkey4=4\r\nkey5=5\r\nkey6=6\r\n"));
  std::vector<DWORD> sectionListSizes, keyListSizes;
  for (const TRead& rRead : g_Reads) {
    if (!rRead.bSection) sectionListSizes.push_back(rRead.nSize);
    if (rRead.bSection && !rRead.bKey) keyListSizes.push_back(rRead.nSize);
  }
  // "section1\0section2\0section3\0" is 27 characters: cut at 16.
  EXPECT_EQ((std::vector<DWORD>{16, 272}), sectionListSizes);
  // Two short key lists fit at once; the third (20 characters) does not.
  EXPECT_EQ((std::vector<DWORD>{16, 16, 16, 272}), keyListSizes);
  EXPECT_EQ(6u, g_Visits.size());
  EXPECT_EQ(TVisit("section3", "key6", "6"), g_Visits.back());
}

TEST_F(ParametersFileWalk, ValueReadingAsTheSentinelStopsTheWalk)
{
  for (const char* pValue : {"NOT_FOUND_ERROR", "not_found_error", "Not_Found_Error and more"}) {
    g_Visits.clear();
    EXPECT_EQ(0, Walk(std::string("[a]\r\nfirst=1\r\nstop=") + pValue +
                      "\r\nlater=3\r\n[b]\r\nnever=4\r\n"))
        << pValue;
    EXPECT_EQ((std::vector<TVisit>{TVisit{"a", "first", "1"}}), g_Visits) << pValue;
  }
  g_Visits.clear();
  EXPECT_EQ(1, Walk("[a]\r\nshort=not_found_erro\r\n"));
  EXPECT_EQ((std::vector<TVisit>{TVisit{"a", "short", "not_found_erro"}}), g_Visits);
}

TEST_F(ParametersFileWalk, SentinelAsFirstNameEmptiesTheList)
{
  EXPECT_EQ(1, Walk("[NOT_FOUND_ERROR]\r\nk=1\r\n[parameters]\r\nmode=2\r\n"));
  EXPECT_TRUE(g_Visits.empty());
  EXPECT_EQ(1, Walk("[a]\r\nnot_found_error=1\r\nk=2\r\n[b]\r\nm=3\r\n"));
  EXPECT_EQ((std::vector<TVisit>{TVisit{"b", "m", "3"}}), g_Visits);
}

TEST_F(ParametersFileWalk, CallbackResultZeroStopsEverythingElseGoesOn)
{
  g_StopAtKey = "b";
  EXPECT_EQ(0, Walk("[s]\r\na=1\r\nb=2\r\nc=3\r\n[t]\r\nd=4\r\n"));
  EXPECT_EQ(2u, g_Visits.size());
}

TEST_F(ParametersFileWalk, MissingNullOrSectionlessFileIsAnEmptyCompleteWalk)
{
  EXPECT_EQ(1, ParseParametersFile(m_Folder.File("absent.ini").c_str(), Record));
  EXPECT_EQ(1, ParseParametersFile(nullptr, Record));
  EXPECT_EQ(1, ParseParametersFile(m_Folder.Path().c_str(), Record));
  EXPECT_EQ(1, Walk(""));
  EXPECT_EQ(1, Walk("k=v\r\nno sections here\r\n"));
  EXPECT_TRUE(g_Visits.empty());
}

TEST_F(ParametersFileWalk, SectionNameTooLongForItsCopyIsPassedOver)
{
  std::string longName(4096, 's');
  std::string fitting(4095, 'f');
  EXPECT_EQ(1, Walk("[a]\r\nx=1\r\n[" + longName + "]\r\ny=2\r\n[" + fitting +
                    "]\r\nz=3\r\n[b]\r\nw=4\r\n"));
  std::vector<TVisit> expected = {TVisit{"a", "x", "1"}, TVisit{fitting, "z", "3"},
                                  TVisit{"b", "w", "4"}};
  EXPECT_EQ(expected, g_Visits);
  // Not even its key list is read.
  for (const TRead& rRead : g_Reads) EXPECT_NE(longName, rRead.section);
}

TEST_F(ParametersFileWalk, EveryFailedAllocationStopsTheWalkWithoutACrash)
{
  const std::string content = "[a]\r\nx=1\r\ny=" + std::string(300, 'v') + "\r\n[b]\r\nz=3\r\n";
  ASSERT_EQ(1, Walk(content));
  const size_t nComplete = g_Visits.size();
  int nFailures = 0;
  for (int nCall = 1; nCall < 100; ++nCall) {
    g_Visits.clear();
    ArmFault(FAULT_ALLOCATION, nCall, 1);
    int nResult = Walk(content);
    ResetFaults();
    if (nResult == 1) {
      // Past the last allocation: the walk is whole again.
      EXPECT_EQ(nComplete, g_Visits.size()) << "allocation " << nCall;
      break;
    }
    ++nFailures;
    EXPECT_EQ(0, nResult);
    EXPECT_LT(g_Visits.size(), nComplete) << "allocation " << nCall;
  }
  // Lists, name buffers and the growing value: well over a handful.
  EXPECT_GT(nFailures, 8);
}

TEST_F(ParametersFileWalk, VisitKeyAndNextListEntry)
{
  std::string path = m_Folder.File("v.ini");
  ASSERT_TRUE(WriteWholeFile(path, "[s]\r\nk=value\r\nbad=NOT_FOUND_ERROR\r\n"));
  TParamFileParser parser;
  g_StopAtKey = "k";
  EXPECT_EQ(0, parser.VisitKey(path.c_str(), "s", "k", Record));
  EXPECT_EQ((std::vector<TVisit>{TVisit{"s", "k", "value"}}), g_Visits);
  g_StopAtKey.clear();
  EXPECT_EQ(1, parser.VisitKey(path.c_str(), "s", "k", Record));
  EXPECT_EQ(0, parser.VisitKey(path.c_str(), "s", "bad", Record));
  EXPECT_EQ(0, parser.VisitKey(path.c_str(), "s", "absent", Record));
  EXPECT_EQ(2u, g_Visits.size());

  const char aList[] = "one\0two\0\0";
  char aName[sizeof aList];
  const char* p = parser.NextListEntry(aList, aName);
  EXPECT_STREQ("one", aName);
  EXPECT_EQ(aList + 4, p);
  p = parser.NextListEntry(p, aName);
  EXPECT_STREQ("two", aName);
  EXPECT_EQ(0, *p);
}

}  // namespace
