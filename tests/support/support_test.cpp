// The test helpers themselves: a fault here would let other tests pass
// without having run what they claim.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>

#include "filecontent.h"
#include "process.h"
#include "tempfolder.h"

namespace {

std::string Probe() { return BuildProgram("childprobe"); }

}  // namespace

TEST(TestSupportTempFolder, IsNewEmptyUniqueAndRemovedWithItsContent)
{
  std::string kept;
  {
    TTempFolder first;
    TTempFolder second;
    ASSERT_FALSE(first.Path().empty());
    EXPECT_NE(first.Path(), second.Path());
    EXPECT_TRUE(std::filesystem::is_directory(first.Path()));
    EXPECT_TRUE(std::filesystem::is_empty(first.Path()));
    std::string sub = first.MakeFolder("a/b");
    ASSERT_TRUE(WriteWholeFile(first.File("a/b/c.txt"), "x"));
    std::filesystem::permissions(first.File("a/b/c.txt"), std::filesystem::perms::owner_read);
    EXPECT_TRUE(std::filesystem::is_directory(sub));
    kept = first.Path();
  }
  EXPECT_FALSE(std::filesystem::exists(kept));
}

TEST(TestSupportFileContent, RoundTripsBytesExactly)
{
  TTempFolder folder;
  std::string bytes("a\r\nb\nc\rd\0e\xff", 12);
  ASSERT_TRUE(WriteWholeFile(folder.File("f.bin"), bytes));
  std::string read;
  ASSERT_TRUE(ReadWholeFile(folder.File("f.bin"), read));
  EXPECT_EQ(bytes, read);
  EXPECT_TRUE(FileExists(folder.File("f.bin")));
  EXPECT_FALSE(FileExists(folder.File("none")));
  EXPECT_FALSE(ReadWholeFile(folder.File("none"), read));
  EXPECT_TRUE(read.empty());
  EXPECT_FALSE(ReadWholeFile(folder.Path(), read));
}

TEST(TestSupportProcess, ReportsTheExitStatus)
{
  for (int status : {0, 1, 3, 42}) {
    TProcessResult result = StartAndWait(Probe(), {"exit", std::to_string(status)});
    ASSERT_TRUE(result.Started) << Probe();
    EXPECT_FALSE(result.TimedOut);
    EXPECT_EQ(status, result.ExitStatus);
  }
}

TEST(TestSupportProcess, PassesEachArgumentWhole)
{
  TProcessResult result = StartAndWait(Probe(), {"args", "a b", "", "q\"uote", "back\\", "x"});
  ASSERT_TRUE(result.Started);
  EXPECT_EQ(0, result.ExitStatus);
  std::string expected = "[a b]\n[]\n[q\"uote]\n[back\\]\n[x]\n";
  std::string output = result.Output;
  output.erase(std::remove(output.begin(), output.end(), '\r'), output.end());
  EXPECT_EQ(expected, output);
}

TEST(TestSupportProcess, AddsAndReplacesEnvironmentVariables)
{
  TProcessOptions options;
  options.Environment.push_back({"EP_TEST_SUPPORT_VALUE", "hello there"});
  TProcessResult result = StartAndWait(Probe(), {"env", "EP_TEST_SUPPORT_VALUE"}, options);
  ASSERT_TRUE(result.Started);
  EXPECT_EQ(0u, result.Output.find("hello there"));

  options.Environment[0].first = "PATH";
  result = StartAndWait(Probe(), {"env", "PATH"}, options);
  EXPECT_EQ(0u, result.Output.find("hello there"));

  result = StartAndWait(Probe(), {"env", "EP_TEST_SUPPORT_VALUE"});
  EXPECT_EQ(0u, result.Output.find("<unset>"));
}

TEST(TestSupportProcess, UsesTheWorkingFolderAndFeedsInput)
{
  TTempFolder folder;
  TProcessOptions options;
  options.WorkingFolder = folder.Path();
  TProcessResult result = StartAndWait(Probe(), {"cwd"}, options);
  ASSERT_TRUE(result.Started);
  std::string shown = result.Output.substr(0, result.Output.find_first_of("\r\n"));
  EXPECT_TRUE(std::filesystem::equivalent(shown, folder.Path())) << shown;

  options.Input = "line one\nline two\n";
  result = StartAndWait(Probe(), {"cat"}, options);
  std::string output = result.Output;
  output.erase(std::remove(output.begin(), output.end(), '\r'), output.end());
  EXPECT_EQ(options.Input, output);
}

TEST(TestSupportProcess, KillsAChildThatOutlivesTheTimeout)
{
  TProcessOptions options;
  options.TimeoutMs = 300;
  auto start = std::chrono::steady_clock::now();
  TProcessResult result = StartAndWait(Probe(), {"sleep", "20000"}, options);
  auto elapsed = std::chrono::steady_clock::now() - start;
  ASSERT_TRUE(result.Started);
  EXPECT_TRUE(result.TimedOut);
  EXPECT_EQ(-1, result.ExitStatus);
  EXPECT_LT(elapsed, std::chrono::seconds(15));
}

TEST(TestSupportProcess, AMissingProgramIsNotStarted)
{
  TProcessResult result = StartAndWait(BuildProgram("no-such-program"), {});
  EXPECT_FALSE(result.Started);
}
