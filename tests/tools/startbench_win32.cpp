// Starts programs the way a starter does (CreateProcess, then wait) and
// times each start to its exit, so that Wine's own launcher is not counted:
//   startbench RUNS "command line" ["command line" ...]
// Each command runs once to warm up, then RUNS times, the commands taking
// turns. Prints one line per command: median, least and most in ms, the
// exit status, and the command. Then one line per command after the first:
// "pairs", and the median, least and most of its time over the first
// command's in the same round (a pair's ratio holds when the machine's
// speed drifts between rounds), and the command. Exits 1 when a program
// cannot be started.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Milliseconds from the start to the exit, or a negative number.
double TimeOneRun(const std::string& commandLine, DWORD* pExitCode)
{
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  std::vector<char> text(commandLine.begin(), commandLine.end());
  text.push_back(0);
  QueryPerformanceCounter(&start);
  if (!CreateProcessA(nullptr, text.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return -1;
  WaitForSingleObject(process.hProcess, INFINITE);
  QueryPerformanceCounter(&end);
  GetExitCodeProcess(process.hProcess, pExitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return double(end.QuadPart - start.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv)
{
  if (argc < 3) {
    std::fprintf(stderr, "usage: startbench RUNS \"command line\" ...\n");
    return 2;
  }
  int nRuns = std::max(1, std::atoi(argv[1]));
  std::vector<std::string> commands(argv + 2, argv + argc);
  std::vector<std::vector<double>> times(commands.size());
  std::vector<DWORD> exitCodes(commands.size());
  for (int nRound = -1; nRound < nRuns; ++nRound) {
    for (size_t i = 0; i < commands.size(); ++i) {
      double ms = TimeOneRun(commands[i], &exitCodes[i]);
      if (ms < 0) {
        std::fprintf(stderr, "cannot start: %s\n", commands[i].c_str());
        return 1;
      }
      if (nRound >= 0) times[i].push_back(ms);  // round -1 warms up
    }
  }
  std::vector<std::vector<double>> ratios(commands.size());
  for (size_t i = 1; i < commands.size(); ++i) {
    for (int nRound = 0; nRound < nRuns; ++nRound)
      ratios[i].push_back(times[i][nRound] / times[0][nRound]);
  }
  for (size_t i = 0; i < commands.size(); ++i) {
    std::vector<double>& t = times[i];
    std::sort(t.begin(), t.end());
    std::printf("%.1f\t%.1f\t%.1f\t%lu\t%s\n", t[t.size() / 2], t.front(), t.back(),
                static_cast<unsigned long>(exitCodes[i]), commands[i].c_str());
  }
  for (size_t i = 1; i < commands.size(); ++i) {
    std::vector<double>& r = ratios[i];
    std::sort(r.begin(), r.end());
    std::printf("pairs\t%.3f\t%.3f\t%.3f\t%s\n", r[r.size() / 2], r.front(), r.back(),
                commands[i].c_str());
  }
  return 0;
}
