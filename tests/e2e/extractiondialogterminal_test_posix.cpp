// POSIX only: mode 1 from end to end with the text form of the dialog. The
// program runs on a pseudo-terminal that the test answers as a reader would.
#include <gtest/gtest.h>

#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

#include "filecontent.h"
#include "process.h"
#include "tempfolder.h"
#include "testregistry.h"

namespace {

// The program on a terminal of its own; what it writes collects in Output().
class TTerminalRun
{
public:
  explicit TTerminalRun(const std::vector<std::string>& arguments)
  {
    std::string program = ProgramUnderTest();
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments)
      argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    m_Pid = forkpty(&m_Master, nullptr, nullptr, nullptr);
    if (m_Pid == 0) {
      execv(program.c_str(), argv.data());
      _exit(127);
    }
  }
  ~TTerminalRun()
  {
    if (m_Pid > 0 && !m_Ended) {
      kill(m_Pid, SIGKILL);
      waitpid(m_Pid, nullptr, 0);
    }
    if (m_Master >= 0) close(m_Master);
  }

  bool Started() const { return m_Pid > 0; }

  // Waits until the text appears after what earlier waits consumed.
  bool Expect(const std::string& text, int milliseconds = 10000)
  {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
      size_t found = m_Output.find(text, m_Consumed);
      if (found != std::string::npos) {
        m_Consumed = found + text.size();
        return true;
      }
      auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      if (left.count() <= 0 || !ReadSome(static_cast<int>(left.count()))) return false;
    }
  }

  void Send(const std::string& line) { Write(line + "\n"); }
  // The terminal's end-of-input character at the start of a line.
  void SendEndOfInput() { Write("\x04"); }

  // The exit status, or -1 when the program did not end in time.
  int Wait(int milliseconds = 10000)
  {
    for (int waited = 0; waited < milliseconds; waited += 20) {
      int status = 0;
      ReadSome(0);
      if (waitpid(m_Pid, &status, WNOHANG) == m_Pid) {
        m_Ended = true;
        while (ReadSome(50)) {
        }
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      }
      usleep(20000);
    }
    return -1;
  }

  const std::string& Output() const { return m_Output; }

private:
  bool ReadSome(int milliseconds)
  {
    pollfd poller = {m_Master, POLLIN, 0};
    if (poll(&poller, 1, milliseconds) <= 0) return false;
    char buffer[4096];
    ssize_t count = read(m_Master, buffer, sizeof buffer);
    if (count <= 0) return false;
    m_Output.append(buffer, static_cast<size_t>(count));
    return true;
  }
  void Write(const std::string& text)
  {
    ssize_t written = write(m_Master, text.data(), text.size());
    (void)written;
  }

  int m_Master = -1;
  pid_t m_Pid = -1;
  bool m_Ended = false;
  std::string m_Output;
  size_t m_Consumed = 0;
};

class ExtractionDialogTerminal : public ::testing::Test
{
protected:
  void SetUp() override
  {
    m_BookId = UniqueRegistryName("terminaltest");
    m_ResultFile = m_Temp.File("run.rtp");
  }
  void TearDown() override { DeleteRegistryTree(HKEY_CURRENT_USER, BookKey().c_str()); }

  std::vector<std::string> Arguments(const std::vector<std::string>& extra = {}) const
  {
    std::vector<std::string> arguments = {"-mode",          "1",     "-rtpfilename", m_ResultFile,
                                          "-autorunbookid", m_BookId};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    return arguments;
  }
  std::string BookKey() const { return REFERRALS + "\\" + m_BookId; }
  std::string Result(const char* key) const
  {
    char value[1024];
    GetPrivateProfileStringA("ADRTP", key, "(missing)", value, sizeof value, m_ResultFile.c_str());
    return value;
  }
  std::string Value(const char* name) const
  {
    return ReadRegistryValue(HKEY_CURRENT_USER, BookKey(), name).Bytes;
  }

  // The two choices and OK, each answered with the given text.
  static void Answer(TTerminalRun& run, const std::string& desktop, const std::string& startMenu,
                     const std::string& ok = "")
  {
    ASSERT_TRUE(run.Expect("Create a shortcut on my desktop [")) << run.Output();
    ASSERT_TRUE(run.Expect("]: "));
    run.Send(desktop);
    ASSERT_TRUE(run.Expect("Programs menu [")) << run.Output();
    ASSERT_TRUE(run.Expect("]: "));
    run.Send(startMenu);
    ASSERT_TRUE(run.Expect("OK or Cancel [O/c]: ")) << run.Output();
    run.Send(ok);
  }

  TRegistryScratch m_Registry;
  TTempFolder m_Temp;
  std::string m_BookId;
  std::string m_ResultFile;
};

}  // namespace

TEST_F(ExtractionDialogTerminal, ShowsTheFormAndTakesANewFolder)
{
  std::string exePath = m_Temp.File("exe");
  ASSERT_TRUE(WriteWholeFile(m_ResultFile, "[ADRTP]\nExePath=" + exePath + "\n"));
  std::string folder = m_Temp.File("new book");
  TTerminalRun run(Arguments({"-authoruserid", "u1"}));
  ASSERT_TRUE(run.Started());
  ASSERT_TRUE(run.Expect("Ostrelbook Extraction")) << run.Output();
  ASSERT_TRUE(run.Expect("Privacy notice:"));
  ASSERT_TRUE(run.Expect("This Ostrelbook has been generated by the Ostrelbook Creator software."));
  ASSERT_TRUE(run.Expect("go to https://"));
  ASSERT_TRUE(run.Expect("Ostrelbook extraction folder: [" + exePath + "]: ")) << run.Output();
  run.Send(folder);
  Answer(run, "n", "");
  EXPECT_EQ(1, run.Wait()) << run.Output();
  EXPECT_EQ(folder, Result("CustomPath"));
  EXPECT_EQ("0", Result("ExitCode"));
  EXPECT_EQ(std::string("u1", 3), Value("UserID"));
  EXPECT_EQ(16u, Value("TimeStamp").size());
  EXPECT_EQ(DwordBytes(0), Value("ShortcutOnDesktop"));
  EXPECT_EQ(DwordBytes(1), Value("ShortcutInWindowsStartMenu"));
}

// A line longer than the folder field is refused, never cut to fit.
TEST_F(ExtractionDialogTerminal, RefusesAnInvalidFolderAndAsksAgain)
{
  TTerminalRun run(Arguments());
  ASSERT_TRUE(run.Expect("Ostrelbook extraction folder: [c:\\]: ")) << run.Output();
  run.Send(m_Temp.File(std::string(300, 'x')));
  Answer(run, "no", "NO");
  ASSERT_TRUE(run.Expect("Invalid path")) << run.Output();
  ASSERT_TRUE(run.Expect("folder: [")) << run.Output();
  run.Send("bad|name");
  Answer(run, "", "");
  ASSERT_TRUE(run.Expect("Invalid path")) << run.Output();
  ASSERT_TRUE(run.Expect("such as \\ / : * ? \" < > |"));
  ASSERT_TRUE(run.Expect("You must re-enter a correct path."));
  // The folder stays as typed, and so do the choices.
  ASSERT_TRUE(run.Expect("Ostrelbook extraction folder: [bad|name]: ")) << run.Output();
  std::string folder = m_Temp.File("fixed");
  run.Send(folder);
  ASSERT_TRUE(run.Expect("Create a shortcut on my desktop [y/N]: ")) << run.Output();
  run.Send("");
  ASSERT_TRUE(run.Expect("Programs menu [y/N]: "));
  run.Send("yes");
  ASSERT_TRUE(run.Expect("OK or Cancel [O/c]: "));
  run.Send("ok");
  EXPECT_EQ(1, run.Wait()) << run.Output();
  EXPECT_EQ(folder, Result("CustomPath"));
  EXPECT_EQ(DwordBytes(0), Value("ShortcutOnDesktop"));
  EXPECT_EQ(DwordBytes(1), Value("ShortcutInWindowsStartMenu"));
}

TEST_F(ExtractionDialogTerminal, AnExistingFolderIsAskedAboutNoThenYes)
{
  std::string existing = m_Temp.MakeFolder("existing");
  TTerminalRun run(Arguments());
  ASSERT_TRUE(run.Expect("folder: [c:\\]: ")) << run.Output();
  run.Send(existing);
  Answer(run, "", "");
  ASSERT_TRUE(run.Expect("Path confirmation")) << run.Output();
  ASSERT_TRUE(run.Expect("The folder you specified already exists."));
  ASSERT_TRUE(run.Expect("Yes or No [Y/n]: "));
  run.Send("n");
  ASSERT_TRUE(run.Expect("folder: [" + existing + "]: ")) << run.Output();
  run.Send("");  // Enter keeps the folder shown
  Answer(run, "", "");
  ASSERT_TRUE(run.Expect("Yes or No [Y/n]: ")) << run.Output();
  run.Send("y");
  EXPECT_EQ(1, run.Wait()) << run.Output();
  EXPECT_EQ(existing, Result("CustomPath"));
}

TEST_F(ExtractionDialogTerminal, EndOfInputOrCancelEndsLikeCancel)
{
  {
    TTerminalRun run(Arguments({"-authoruserid", "someone"}));
    ASSERT_TRUE(run.Expect("folder: [c:\\]: ")) << run.Output();
    run.SendEndOfInput();
    EXPECT_EQ(0, run.Wait()) << run.Output();
  }
  EXPECT_EQ("3", Result("ExitCode"));
  EXPECT_EQ("(missing)", Result("CustomPath"));
  EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, BookKey()));
  {
    TTerminalRun run(Arguments());
    ASSERT_TRUE(run.Expect("folder: [c:\\]: ")) << run.Output();
    run.Send(m_Temp.File("never"));
    Answer(run, "", "", "c");
    EXPECT_EQ(0, run.Wait()) << run.Output();
  }
  EXPECT_EQ("(missing)", Result("CustomPath"));
  EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, BookKey()));
}

TEST_F(ExtractionDialogTerminal, WithoutATerminalTheRunFails)
{
  TProcessOptions options;
  options.Input = m_Temp.File("folder") + "\n\n\n\n";
  TProcessResult result = StartAndWait(ProgramUnderTest(), Arguments(), options);
  ASSERT_TRUE(result.Started);
  EXPECT_EQ(0, result.ExitStatus) << result.Output;
  EXPECT_EQ("3", Result("ExitCode"));
  EXPECT_EQ("(missing)", Result("CustomPath"));
  EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, BookKey()));
}
