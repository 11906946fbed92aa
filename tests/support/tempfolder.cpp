#include "tempfolder.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <random>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::string UniqueName()
{
  static std::atomic<unsigned> counter{0};
  static const unsigned long long seed =
      static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
      std::random_device{}();
  return "ep-test-" + std::to_string(seed) + "-" + std::to_string(++counter);
}

// Read-only files and folders (tests make them) must not stop the removal.
void MakeWritable(const fs::path& root)
{
  std::error_code ec;
  fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, ec);
  for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code ignored;
    fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  }
}

}  // namespace

TTempFolder::TTempFolder()
{
  std::error_code ec;
  fs::path base = fs::temp_directory_path(ec);
  if (ec) return;
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path candidate = base / UniqueName();
    if (fs::create_directory(candidate, ec) && !ec) {
      m_Path = fs::absolute(candidate, ec).string();
      if (ec) m_Path = candidate.string();
      return;
    }
  }
}

TTempFolder::~TTempFolder()
{
  if (m_Path.empty()) return;
  std::error_code ec;
  fs::remove_all(m_Path, ec);
  if (ec) {
    MakeWritable(m_Path);
    fs::remove_all(m_Path, ec);
  }
}

std::string TTempFolder::File(const std::string& name) const
{
  return (fs::path(m_Path) / fs::path(name)).make_preferred().string();
}

std::string TTempFolder::MakeFolder(const std::string& name) const
{
  std::string path = File(name);
  std::error_code ec;
  fs::create_directories(path, ec);
  return path;
}
