// A child for the tests of the process helper: does what its first argument
// asks and reports on standard output.
//   exit N        exits with status N
//   args A B ...  prints each further argument as [A] on a line of its own
//   env NAME      prints the variable's value, or <unset>
//   cwd           prints the working folder
//   cat           copies standard input to standard output
//   sleep MS      sleeps, then exits with 0
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>

int main(int argc, char** argv)
{
  if (argc < 2) return 100;
  const char* command = argv[1];
  if (std::strcmp(command, "exit") == 0 && argc > 2) return std::atoi(argv[2]);
  if (std::strcmp(command, "args") == 0) {
    for (int i = 2; i < argc; ++i) std::printf("[%s]\n", argv[i]);
    return 0;
  }
  if (std::strcmp(command, "env") == 0 && argc > 2) {
    const char* value = std::getenv(argv[2]);
    std::printf("%s\n", value ? value : "<unset>");
    return 0;
  }
  if (std::strcmp(command, "cwd") == 0) {
    std::printf("%s\n", std::filesystem::current_path().string().c_str());
    return 0;
  }
  if (std::strcmp(command, "cat") == 0) {
    int c;
    while ((c = std::getchar()) != EOF) std::putchar(c);
    return 0;
  }
  if (std::strcmp(command, "sleep") == 0 && argc > 2) {
    std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(argv[2])));
    return 0;
  }
  return 101;
}
