// POSIX: the rebuilt command line must bring every argument back to the
// reader as one value, whatever it holds.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "argumentline.h"
#include "commandline.h"

namespace {

typedef std::vector<std::pair<std::string, std::string>> TCalls;
TCalls g_Calls;

int Record(const char* pKey, const char* pValue)
{
  g_Calls.push_back({pKey, pValue});
  return 1;
}

std::string Join(const std::vector<const char*>& arguments)
{
  TText line;
  EXPECT_TRUE(JoinArguments(static_cast<int>(arguments.size()), arguments.data(), line));
  return line.Text();
}

TCalls ReadBack(const std::vector<const char*>& arguments)
{
  g_Calls.clear();
  EXPECT_EQ(1, ParseCommandLine(Join(arguments).c_str(), Record));
  return g_Calls;
}

TEST(ArgumentLine, QuotesOnlyWhatTheReaderWouldCut)
{
  EXPECT_EQ("", Join({}));
  EXPECT_EQ("-mode 3", Join({"-mode", "3"}));
  EXPECT_EQ("-a \"\"", Join({"-a", ""}));
  EXPECT_EQ("-a \"x y\"", Join({"-a", "x y"}));
  EXPECT_EQ("-a \"x-y\" \"/tmp/r.ini\"", Join({"-a", "x-y", "/tmp/r.ini"}));
  EXPECT_EQ("-a 'say \"hi\"'", Join({"-a", "say \"hi\""}));
  EXPECT_EQ("-a \"it's\"", Join({"-a", "it's"}));
  EXPECT_EQ("-a \"x\ty\"", Join({"-a", "x\ty"}));
  EXPECT_EQ("C:\\dir\\f \xE9t\xE9", Join({"C:\\dir\\f", "\xE9t\xE9"}));
}

TEST(ArgumentLine, EveryArgumentReachesTheReaderWhole)
{
  EXPECT_EQ((TCalls{{"rtpfilename", "/tmp/my dir/run-1.rtp"}, {"mode", "3"}}),
            ReadBack({"-rtpfilename", "/tmp/my dir/run-1.rtp", "-mode", "3"}));
  EXPECT_EQ((TCalls{{"a", ""}, {"b", "x"}}), ReadBack({"-a", "", "-b", "x"}));
  EXPECT_EQ((TCalls{{"a", "x\"y"}, {"b", "it's"}}), ReadBack({"-a", "x\"y", "-b", "it's"}));
  EXPECT_EQ((TCalls{{"installdirectory", "/home/r/Books/Atlas-2"}, {"mode", "2"}}),
            ReadBack({"-installdirectory", "/home/r/Books/Atlas-2", "-mode", "2"}));
  EXPECT_EQ((TCalls{{"a", "  lead"}}), ReadBack({"-a", "  lead"}));
}

// A marker at the start is what makes an option: such an argument is never
// quoted, so a value that starts with one cannot be given this way.
TEST(ArgumentLine, ArgumentStartingWithAMarkerStaysAnOption)
{
  EXPECT_EQ((TCalls{{"b", ""}, {"3", ""}}), ReadBack({"-b", "-3"}));
  EXPECT_EQ((TCalls{{"a", ""}, {"tmp", ""}}), ReadBack({"-a", "/tmp"}));
}

}  // namespace
