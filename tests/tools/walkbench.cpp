// Prints how long a parameters-file walk takes for 1,000, 10,000 and
// 100,000 keys in one section (or the numbers of keys given as arguments),
// and the ratio of each to the one before: the walk should grow about
// linearly with the file.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "paramfile.h"

namespace {

long g_nVisits;

int Count(const char*, const char*, const char*)
{
  ++g_nVisits;
  return 1;
}

bool WriteKeys(const std::string& path, int nKeys)
{
  std::string content = "[parameters]\r\n";
  for (int i = 0; i < nKeys; ++i)
    content += "key" + std::to_string(i) + "=value" + std::to_string(i) + "\r\n";
  FILE* pFile = std::fopen(path.c_str(), "wb");
  if (!pFile) return false;
  bool bWritten = std::fwrite(content.data(), 1, content.size(), pFile) == content.size();
  return std::fclose(pFile) == 0 && bWritten;
}

double WalkSeconds(const std::string& path, int nKeys)
{
  g_nVisits = 0;
  auto start = std::chrono::steady_clock::now();
  int nResult = ParseParametersFile(path.c_str(), Count);
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (nResult != 1 || g_nVisits != nKeys) return -1;
  return seconds;
}

}  // namespace

int main(int argc, char** argv)
{
  std::vector<int> counts;
  for (int i = 1; i < argc; ++i) counts.push_back(std::atoi(argv[i]));
  if (counts.empty()) counts = {1000, 10000, 100000};
  // A name of its own: other runs may share the temporary folder.
  std::string name = "ep-walkbench-" +
                     std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) +
                     ".ini";
  std::string path = (std::filesystem::temp_directory_path() / name).string();
  // A file walked right after it was written, as the starter's is, and
  // the same file walked again once it has settled (the POSIX reader keeps
  // a file only once its time stamp is safely in the past).
  double previousFresh = 0, previousSettled = 0;
  int status = 0;
  for (int nKeys : counts) {
    double fresh = WriteKeys(path, nKeys) ? WalkSeconds(path, nKeys) : -1;
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    double settled = WalkSeconds(path, nKeys);
    if (fresh < 0 || settled < 0) status = 1;
    std::printf("%7d keys: fresh %.3f s", nKeys, fresh);
    if (previousFresh > 0) std::printf(" (x%.1f)", fresh / previousFresh);
    std::printf(", settled %.3f s", settled);
    if (previousSettled > 0) std::printf(" (x%.1f)", settled / previousSettled);
    std::printf("\n");
    previousFresh = fresh;
    previousSettled = settled;
  }
  std::filesystem::remove(path);
  return status;
}
