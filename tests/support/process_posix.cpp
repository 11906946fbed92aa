// POSIX: starting a child with posix_spawn and waiting for it with waitpid.
#include "process.h"

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "filecontent.h"
#include "tempfolder.h"

extern char** environ;

namespace {

std::vector<std::string> MergedEnvironment(const TProcessOptions& options)
{
  std::vector<std::string> result;
  for (char** entry = environ; entry && *entry; ++entry) {
    std::string text = *entry;
    std::string name = text.substr(0, text.find('='));
    bool replaced = false;
    for (const auto& added : options.Environment) replaced = replaced || added.first == name;
    if (!replaced) result.push_back(text);
  }
  for (const auto& added : options.Environment) result.push_back(added.first + "=" + added.second);
  return result;
}

std::vector<char*> Pointers(std::vector<std::string>& texts)
{
  std::vector<char*> result;
  for (auto& text : texts) result.push_back(&text[0]);
  result.push_back(nullptr);
  return result;
}

int StatusOf(int status)
{
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

}  // namespace

std::string BuildFolder()
{
  char path[4096];
  ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return ".";
  path[length] = 0;
  std::string text = path;
  size_t slash = text.rfind('/');
  return slash == 0 ? "/" : text.substr(0, slash);
}

std::string BuildProgram(const std::string& name) { return BuildFolder() + "/" + name; }

TProcessResult StartAndWait(const std::string& programPath,
                            const std::vector<std::string>& arguments,
                            const TProcessOptions& options)
{
  TProcessResult result;
  TTempFolder io;
  std::string inputPath = io.File("input");
  std::string outputPath = io.File("output");
  if (io.Path().empty() || !WriteWholeFile(inputPath, options.Input)) return result;

  std::vector<std::string> argumentTexts;
  argumentTexts.push_back(programPath);
  argumentTexts.insert(argumentTexts.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv = Pointers(argumentTexts);
  std::vector<std::string> environmentTexts = MergedEnvironment(options);
  std::vector<char*> envp = Pointers(environmentTexts);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, inputPath.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
  posix_spawn_file_actions_adddup2(&actions, 1, 2);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  // A group of its own, so a timeout also ends what the child started.
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attributes, 0);

  // posix_spawn has no working-folder action everywhere: change around it.
  std::string oldFolder;
  if (!options.WorkingFolder.empty()) {
    char buffer[4096];
    if (!getcwd(buffer, sizeof buffer) || chdir(options.WorkingFolder.c_str()) != 0) {
      posix_spawn_file_actions_destroy(&actions);
      posix_spawnattr_destroy(&attributes);
      return result;
    }
    oldFolder = buffer;
  }
  pid_t pid = 0;
  int error =
      posix_spawn(&pid, programPath.c_str(), &actions, &attributes, argv.data(), envp.data());
  if (!oldFolder.empty() && chdir(oldFolder.c_str()) != 0) { /* the test's folder is gone */
  }
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  if (error != 0) return result;
  result.Started = true;

  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(options.TimeoutMs);
  int status = 0;
  for (;;) {
    pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid) {
      result.ExitStatus = StatusOf(status);
      break;
    }
    if (done < 0 && errno != EINTR) break;
    if (std::chrono::steady_clock::now() >= deadline) {
      kill(-pid, SIGKILL);
      kill(pid, SIGKILL);
      while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
      }
      result.TimedOut = true;
      result.ExitStatus = -1;
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  ReadWholeFile(outputPath, result.Output);
  return result;
}
