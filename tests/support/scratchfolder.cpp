#include "scratchfolder.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <stdexcept>

#include "platform.h"

namespace fs = std::filesystem;

namespace pathtest {

ScratchFolder::ScratchFolder()
{
  static std::atomic<unsigned> s_nCount(0);
  std::random_device random;
  unsigned nTag = random() ^ (unsigned)std::chrono::steady_clock::now().time_since_epoch().count();
  for (int nTry = 0; nTry < 100; ++nTry) {
    fs::path candidate = fs::temp_directory_path() /
      ("ep-paths-" + std::to_string(nTag) + "-" + std::to_string(s_nCount++));
    if (fs::create_directory(candidate)) {
      m_path = candidate.string();
      return;
    }
  }
  throw std::runtime_error("no scratch folder could be made");
}

ScratchFolder::~ScratchFolder()
{
  std::error_code error;
  // Read-only files would stop the removal on Windows.
  for (auto& entry : fs::recursive_directory_iterator(m_path, error)) {
    fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add, error);
  }
  fs::remove_all(m_path, error);
}

std::string ScratchFolder::Join(const std::string& sName) const
{
  return m_path + PATH_SEPARATOR_TEXT + sName;
}

CurrentFolder::CurrentFolder(const std::string& sPath)
  : m_previous(fs::current_path().string())
{
  fs::current_path(sPath);
}

CurrentFolder::~CurrentFolder()
{
  std::error_code error;
  fs::current_path(m_previous, error);
}

bool IsFolder(const std::string& sPath)
{
  std::error_code error;
  return fs::is_directory(sPath, error);
}

bool IsFile(const std::string& sPath)
{
  std::error_code error;
  return fs::is_regular_file(sPath, error);
}

void WriteTextFile(const std::string& sPath, const std::string& sContent)
{
  FILE* pFile = fopen(sPath.c_str(), "wb");
  if (!pFile) throw std::runtime_error("cannot write " + sPath);
  fwrite(sContent.data(), 1, sContent.size(), pFile);
  fclose(pFile);
}

void MakeFolder(const std::string& sPath)
{
  fs::create_directories(sPath);
}

void SetReadOnly(const std::string& sPath, bool bReadOnly)
{
  const fs::perms write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  fs::permissions(sPath, bReadOnly ? write : fs::perms::owner_write,
                  bReadOnly ? fs::perm_options::remove : fs::perm_options::add);
}

}  // namespace pathtest
