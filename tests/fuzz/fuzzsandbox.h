// Shared by the fuzz targets: a folder of the run's own under $TMPDIR (made
// on first use, removed at exit) and whole files in it. Header only: every
// .cpp in this folder is a fuzz target of its own.
#ifndef EXTRACTPANEL_FUZZ_FUZZSANDBOX_H
#define EXTRACTPANEL_FUZZ_FUZZSANDBOX_H

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace fuzz {

inline void RemoveSandbox();

inline const std::string& Sandbox()
{
  static std::string s_Path;
  if (s_Path.empty()) {
    const char* pBase = std::getenv("TMPDIR");
    std::string pattern = std::string(pBase && *pBase ? pBase : "/tmp") + "/ep-fuzz-XXXXXX";
    if (mkdtemp(&pattern[0]) == nullptr) std::abort();
    s_Path = pattern;
    std::atexit(RemoveSandbox);
  }
  return s_Path;
}

inline void RemoveSandbox()
{
  std::error_code ec;
  std::filesystem::remove_all(Sandbox(), ec);
}

inline std::string SandboxFile(const std::string& name) { return Sandbox() + "/" + name; }

// Everything inside the folder goes; the folder stays.
inline void EmptyFolder(const std::string& path)
{
  std::error_code ec;
  for (std::filesystem::directory_iterator it(path, ec), end; !ec && it != end; it.increment(ec))
    std::filesystem::remove_all(it->path(), ec);
}

inline bool WriteBytes(const std::string& path, const void* pData, size_t nSize)
{
  FILE* pFile = std::fopen(path.c_str(), "wb");
  if (!pFile) return false;
  bool bDone = std::fwrite(pData, 1, nSize, pFile) == nSize;
  return std::fclose(pFile) == 0 && bDone;
}

inline bool WriteBytes(const std::string& path, const std::string& bytes)
{
  return WriteBytes(path, bytes.data(), bytes.size());
}

inline std::string ReadBytes(const std::string& path)
{
  std::string bytes;
  FILE* pFile = std::fopen(path.c_str(), "rb");
  if (!pFile) return bytes;
  char aChunk[4096];
  size_t n;
  while ((n = std::fread(aChunk, 1, sizeof aChunk, pFile)) > 0) bytes.append(aChunk, n);
  std::fclose(pFile);
  return bytes;
}

// A finding: libFuzzer saves the input that led here.
#define FUZZ_CHECK(condition)                                                                  \
  do {                                                                                         \
    if (!(condition)) {                                                                        \
      std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
      std::abort();                                                                            \
    }                                                                                          \
  } while (0)

}  // namespace fuzz

#endif
