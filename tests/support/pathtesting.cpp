#include "pathtesting.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace pathtest {

CurrentFolder::CurrentFolder(const std::string& sPath) : m_previous(fs::current_path().string())
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

void MakeFolder(const std::string& sPath) { fs::create_directories(sPath); }

void SetReadOnly(const std::string& sPath, bool bReadOnly)
{
  const fs::perms write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  fs::permissions(sPath, bReadOnly ? write : fs::perms::owner_write,
                  bReadOnly ? fs::perm_options::remove : fs::perm_options::add);
}

}  // namespace pathtest
