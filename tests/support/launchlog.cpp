#include "launchlog.h"

#include <chrono>
#include <thread>

#include "filecontent.h"

std::string WaitForLaunchRecord(const std::string& logPath, unsigned timeoutMs)
{
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    std::string content = ReadWholeFile(logPath);
    if (!content.empty() || std::chrono::steady_clock::now() >= deadline) return content;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}
