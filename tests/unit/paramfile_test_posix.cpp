// POSIX: a walk over a parameters file far larger than any starter writes,
// against the stand-ins (under Wine this measures Wine, minutes long).
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "filecontent.h"
#include "paramfile.h"
#include "tempfolder.h"

namespace {

typedef std::tuple<std::string, std::string, std::string> TVisit;
std::vector<TVisit> g_Visits;

int Record(const char* pSection, const char* pKey, const char* pValue)
{
  g_Visits.emplace_back(pSection, pKey, pValue);
  return 1;
}

TEST(ParametersFileWalkLarge, HundredThousandKeysAreAllVisitedInOrder)
{
  TTempFolder folder;
  std::string content = "[parameters]\r\n";
  for (int i = 0; i < 100000; ++i)
    content += "key" + std::to_string(i) + "=value" + std::to_string(i) + "\r\n";
  content += "[tail]\r\nlast=end\r\n";
  std::string path = folder.File("p.ini");
  ASSERT_TRUE(WriteWholeFile(path, content));
  g_Visits.clear();
  EXPECT_EQ(1, ParseParametersFile(path.c_str(), Record));
  ASSERT_EQ(100001u, g_Visits.size());
  for (int i : {0, 1, 4242, 99999})
    EXPECT_EQ(TVisit("parameters", "key" + std::to_string(i), "value" + std::to_string(i)),
              g_Visits[i]);
  EXPECT_EQ(TVisit("tail", "last", "end"), g_Visits[100000]);
}

}  // namespace
