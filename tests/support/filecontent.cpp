#include "filecontent.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

bool ReadWholeFile(const std::string& path, std::string& content)
{
  content.clear();
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return false;
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  char buffer[65536];
  size_t count;
  while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) content.append(buffer, count);
  bool ok = !std::ferror(file);
  std::fclose(file);
  if (!ok) content.clear();
  return ok;
}

std::string ReadWholeFile(const std::string& path)
{
  std::string content;
  ReadWholeFile(path, content);
  return content;
}

bool WriteWholeFile(const std::string& path, const std::string& content)
{
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool ok = std::fwrite(content.data(), 1, content.size(), file) == content.size();
  ok = (std::fclose(file) == 0) && ok;
  return ok;
}

bool FileExists(const std::string& path)
{
  std::error_code ec;
  return std::filesystem::exists(path, ec);
}
