// Prints how long a parameters-file walk takes for 1,000, 10,000 and
// 100,000 keys in one section, and the ratios between them: the walk should
// grow about linearly with the file.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "paramfile.h"

namespace {

long g_nVisits;

int Count(const char*, const char*, const char*)
{
  ++g_nVisits;
  return 1;
}

double WalkSeconds(const std::string& path, int nKeys)
{
  std::string content = "[parameters]\r\n";
  for (int i = 0; i < nKeys; ++i)
    content += "key" + std::to_string(i) + "=value" + std::to_string(i) + "\r\n";
  FILE* pFile = std::fopen(path.c_str(), "wb");
  if (!pFile) return -1;
  std::fwrite(content.data(), 1, content.size(), pFile);
  std::fclose(pFile);
  g_nVisits = 0;
  auto start = std::chrono::steady_clock::now();
  int nResult = ParseParametersFile(path.c_str(), Count);
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (nResult != 1 || g_nVisits != nKeys) return -1;
  return seconds;
}

}  // namespace

int main()
{
  std::string path = (std::filesystem::temp_directory_path() / "ep-walkbench.ini").string();
  double previous = 0;
  int status = 0;
  for (int nKeys : {1000, 10000, 100000}) {
    double seconds = WalkSeconds(path, nKeys);
    if (seconds < 0) status = 1;
    if (previous > 0)
      std::printf("%7d keys: %.3f s (x%.1f)\n", nKeys, seconds, seconds / previous);
    else
      std::printf("%7d keys: %.3f s\n", nKeys, seconds);
    previous = seconds;
  }
  std::filesystem::remove(path);
  return status;
}
