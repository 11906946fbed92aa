// POSIX only: the registry store's format, folder, lock and atomic replacement.
#include "registrystore.h"

#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string_view>

#include "wholefile.h"

namespace {

const char HEADER[] = "extractpanel-registry 1\n";
const char HEX_DIGITS[] = "0123456789abcdef";
const LONG REGISTRY_IO_FAILED = 1016;  // ERROR_REGISTRY_IO_FAILED

// Reads a store file front to back; every count is checked against the
// bytes that remain, so nothing beyond them is ever read.
class TStoreCursor
{
public:
  explicit TStoreCursor(std::string_view text) : m_Rest(text) {}

  bool AtEnd() const { return m_Rest.empty(); }

  // True, and past them, when the bytes come next.
  bool Skip(std::string_view bytes)
  {
    if (m_Rest.substr(0, bytes.size()) != bytes) return false;
    m_Rest.remove_prefix(bytes.size());
    return true;
  }

  // 1 to 10 decimal digits of a number below 2^32, then pEnd.
  bool Count(uint32_t& rCount, const char* pEnd)
  {
    const char* pFirst = m_Rest.data();
    auto [pLast, eError] = std::from_chars(pFirst, pFirst + m_Rest.size(), rCount);
    if (eError != std::errc() || pLast - pFirst > 10) return false;
    m_Rest.remove_prefix(pLast - pFirst);
    return Skip(pEnd);
  }

  // "<n>:" and n bytes without a NUL, then pEnd.
  bool Name(std::string& rName, const char* pEnd)
  {
    uint32_t nName = 0;
    if (!Count(nName, ":") || nName > m_Rest.size()) return false;
    rName = m_Rest.substr(0, nName);
    m_Rest.remove_prefix(nName);
    return rName.find('\0') == std::string::npos && Skip(pEnd);
  }

  // "<m>:" and m bytes as 2m lower-case hex digits, then a line end.
  bool Hex(std::string& rBytes)
  {
    uint32_t nBytes = 0;
    if (!Count(nBytes, ":") || nBytes > m_Rest.size() / 2) return false;
    rBytes.resize(nBytes);
    for (char& rByte : rBytes) {
      int nHigh = HexValue(m_Rest[0]);
      int nLow = HexValue(m_Rest[1]);
      if (nHigh < 0 || nLow < 0) return false;
      rByte = static_cast<char>(nHigh * 16 + nLow);
      m_Rest.remove_prefix(2);
    }
    return Skip("\n");
  }

private:
  static int HexValue(char c)
  {
    const char* pDigit = static_cast<const char*>(memchr(HEX_DIGITS, c, 16));
    return pDigit ? static_cast<int>(pDigit - HEX_DIGITS) : -1;
  }

  std::string_view m_Rest;
};

bool IsWellFormedPath(const std::string& rPath)
{
  return rPath.empty() ||
         (rPath.front() != '\\' && rPath.back() != '\\' && rPath.find("\\\\") == std::string::npos);
}

bool ParseRecords(TStoreCursor& rAt, TStore& rStore)
{
  TStoreValues* pValues = nullptr;
  while (!rAt.AtEnd()) {
    if (rAt.Skip("K ")) {
      std::string path;
      if (!rAt.Name(path, "\n") || !IsWellFormedPath(path)) return false;
      pValues = &rStore[path];  // a key met twice keeps its first case and values
      continue;
    }
    // A value before the first key belongs to nothing.
    TStoreValue value{};
    if (!pValues || !rAt.Skip("V ") || !rAt.Name(value.Name, " ") || !rAt.Count(value.Type, " ") ||
        !rAt.Hex(value.Bytes)) {
      return false;
    }
    if (FindValue(*pValues, value.Name) == pValues->end()) pValues->push_back(value);
  }
  return true;
}

// The store file of the root, or empty when no folder can be named.
std::string StorePath(TStoreRoot eRoot)
{
  const char* pDirect = getenv("EXTRACTPANEL_REGISTRY_DIR");
  const char* pConfig = getenv("XDG_CONFIG_HOME");
  const char* pHome = getenv("HOME");
  std::string folder;
  if (pDirect && *pDirect) folder = pDirect;
  else if (pConfig && pConfig[0] == '/') folder = std::string(pConfig) + "/extractpanel/registry";
  else if (pHome && *pHome) folder = std::string(pHome) + "/.config/extractpanel/registry";
  else return folder;
  static const char* const s_apFiles[] = {"/current_user.store", "/classes_root.store",
                                          "/local_machine.store"};
  return folder + s_apFiles[eRoot];
}

LONG CodeOfErrno(int nError)
{
  if (nError == EACCES || nError == EPERM || nError == EROFS) return ERROR_ACCESS_DENIED;
  if (nError == ENOMEM) return ERROR_NOT_ENOUGH_MEMORY;
  return REGISTRY_IO_FAILED;
}

// Makes the folder and its missing parents, private to the user.
bool MakeFolders(const std::filesystem::path& rFolder)
{
  std::filesystem::path path;
  for (const std::filesystem::path& rPart : rFolder) {
    path /= rPart;
    if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  return true;
}

// Opens the lock file beside the store file into rFile and takes the lock;
// false with errno set. The caller closes rFile, which lets the lock go.
bool TakeLock(const std::string& rStorePath, int& rFile)
{
  std::string path = rStorePath.substr(0, rStorePath.size() - 6) + ".lock";
  rFile = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  while (rFile >= 0 && flock(rFile, LOCK_EX) != 0) {
    if (errno != EINTR) return false;
  }
  return rFile >= 0;
}

}  // namespace

TStoreValues::iterator FindValue(TStoreValues& rValues, const std::string& rName)
{
  std::string folded = FoldedName(rName);
  return std::find_if(rValues.begin(), rValues.end(),
                      [&](const TStoreValue& rValue) { return FoldedName(rValue.Name) == folded; });
}

bool ParseStore(const std::string& rContent, TStore& rStore)
{
  rStore.clear();
  TStoreCursor at(rContent);
  if (rContent.empty() || (at.Skip(HEADER) && ParseRecords(at, rStore))) return true;
  rStore.clear();
  return false;
}

std::string StoreText(const TStore& rStore)
{
  auto counted = [](const std::string& rName) {
    return std::to_string(rName.size()) + ':' + rName;
  };
  std::string text = HEADER;
  for (const auto& rKey : rStore) {
    text += "K " + counted(rKey.first) + '\n';
    for (const TStoreValue& rValue : rKey.second) {
      text += "V " + counted(rValue.Name) + ' ' + std::to_string(rValue.Type) + ' ';
      text += std::to_string(rValue.Bytes.size()) + ':';
      for (unsigned char c : rValue.Bytes) {
        text += HEX_DIGITS[c >> 4];
        text += HEX_DIGITS[c & 15];
      }
      text += '\n';
    }
  }
  return text;
}

TStore ReadStore(TStoreRoot eRoot)
{
  TStore store;
  std::string content;
  std::string path = StorePath(eRoot);
  // The file is only ever replaced whole, so no lock is needed to read it.
  if (!path.empty() && ReadFileBytes(path, content, STORE_FILE_LIMIT) == 0)
    ParseStore(content, store);
  return store;
}

TStoreChange::TStoreChange(TStoreRoot eRoot) : m_StorePath(StorePath(eRoot))
{
  if (m_StorePath.empty()) return;
  if (!MakeFolders(std::filesystem::path(m_StorePath).parent_path()) ||
      !TakeLock(m_StorePath, m_nLockFile)) {
    m_lStatus = CodeOfErrno(errno);
    return;
  }
  std::string content;
  int nError = ReadFileBytes(m_StorePath, content, STORE_FILE_LIMIT);
  if (nError == ENOENT || (nError == 0 && ParseStore(content, m_Store))) {
    m_lStatus = ERROR_SUCCESS;
  } else if (nError != 0 && nError != EFBIG) {
    m_lStatus = CodeOfErrno(nError);
  } else {
    // Damaged, foreign (no regular file) or oversized: set aside rather than
    // overwritten, so that nothing in it is lost; the change starts afresh.
    std::string damaged = m_StorePath + ".damaged";
    m_lStatus =
        rename(m_StorePath.c_str(), damaged.c_str()) == 0 ? ERROR_SUCCESS : CodeOfErrno(errno);
  }
}

TStoreChange::~TStoreChange()
{
  if (m_nLockFile >= 0) close(m_nLockFile);
}

LONG TStoreChange::Commit()
{
  if (m_lStatus != ERROR_SUCCESS) return m_lStatus;
  std::string text = StoreText(m_Store);
  if (text.size() > STORE_FILE_LIMIT) return ERROR_NOT_ENOUGH_MEMORY;
  // One writer at a time holds the lock, so one temporary name will do.
  std::string tempPath = m_StorePath + ".tmp";
  int nFile = open(tempPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (nFile < 0) return CodeOfErrno(errno);
  int nError = ReplaceFileBytes(nFile, tempPath, m_StorePath, text, 0600);
  return nError == 0 ? ERROR_SUCCESS : CodeOfErrno(nError);
}
