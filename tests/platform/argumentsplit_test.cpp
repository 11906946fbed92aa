// The split of an argument text that the POSIX launcher uses, held to the
// rules Windows programs split their command lines by; under Wine every case
// is also checked against CommandLineToArgvW itself.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "argumentsplit.h"
#include "windowssplit.h"

namespace {

std::vector<std::string> Split(const std::string& text) { return SplitArguments(text.c_str()); }

struct TCase
{
  const char* text;
  std::vector<std::string> arguments;
};

const TCase CASES[] = {
    {"", {}},
    {"   \t ", {}},
    {"one", {"one"}},
    {"  one   two\tthree ", {"one", "two", "three"}},
    {"-url \"C:\\Books\\Atlas\\index.htm\" -new", {"-url", "C:\\Books\\Atlas\\index.htm", "-new"}},
    {"\"a b\" c", {"a b", "c"}},
    {"a\"b c\"d", {"ab cd"}},
    {"\"\"", {""}},
    {"a \"\" b", {"a", "", "b"}},
    {"\"\\\\\\\\server\\share\\x\"", {"\\\\\\\\server\\share\\x"}},
    {"a\\\\b", {"a\\\\b"}},
    {"a\\\\\"b c\"", {"a\\b c"}},
    {"a\\\"b", {"a\"b"}},
    {"a\\\\\\\"b", {"a\\\"b"}},
    {"\"a\"\"b\"", {"a\"b"}},
    {"\"a\"\"\"b\"", {"a\"b"}},
    {"a\"\"\"b", {"a\"b"}},
    {"\"unclosed part", {"unclosed part"}},
    {"trailing\\", {"trailing\\"}},
};

TEST(ArgumentSplit, FollowsTheWindowsRules)
{
  for (const TCase& c : CASES) EXPECT_EQ(c.arguments, Split(c.text)) << "[" << c.text << "]";
}

TEST(ArgumentSplit, AgreesWithThePlatformWhereThereIsOne)
{
  for (const TCase& c : CASES) {
    std::vector<std::string> platform;
    if (!SplitLikeThePlatform(c.text, platform)) GTEST_SKIP() << "no platform splitter here";
    EXPECT_EQ(platform, Split(c.text)) << "[" << c.text << "]";
  }
}

}  // namespace
