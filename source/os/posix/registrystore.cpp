// POSIX only: the registry store's format, folder, lock and atomic replacement.
#include "registrystore.h"

#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "wholefile.h"

namespace {

const char kHeader[] = "extractpanel-registry 1\n";
const LONG kRegistryIoFailed = 1016;  // ERROR_REGISTRY_IO_FAILED
// Something other than a store file: a folder, a device, an oversized file.
const LONG kNotAStore = 13;  // ERROR_INVALID_DATA

// Reads the records of a store file; every count is checked against the
// bytes that remain, so nothing beyond them is ever read.
class TStoreParser
{
public:
  explicit TStoreParser(const std::string& rText) : m_Text(rText) {}

  bool Parse(TStore& rStore)
  {
    if (m_Text.empty()) return true;
    if (m_Text.compare(0, sizeof kHeader - 1, kHeader) != 0) return false;
    m_nAt = sizeof kHeader - 1;
    TStoreKey* pKey = nullptr;
    while (m_nAt < m_Text.size()) {
      if (Left() < 2 || m_Text[m_nAt + 1] != ' ') return false;
      char cKind = m_Text[m_nAt];
      m_nAt += 2;
      if (cKind == 'K') {
        std::string path;
        if (!Name(path, '\n') || !IsWellFormedPath(path)) return false;
        pKey = &rStore[path];  // a key met twice keeps its first case and values
      } else if (cKind == 'V' && pKey) {
        TStoreValue value;
        if (!Name(value.Name, ' ') || !Value(value)) return false;
        if (!pKey->Find(value.Name)) pKey->Values.push_back(value);
      } else {
        return false;  // a value before the first key belongs to nothing
      }
    }
    return true;
  }

private:
  size_t Left() const { return m_Text.size() - m_nAt; }

  bool Count(size_t& rCount, char cEnd)
  {
    unsigned long long nValue = 0;
    int nDigits = 0;
    while (m_nAt < m_Text.size() && m_Text[m_nAt] >= '0' && m_Text[m_nAt] <= '9') {
      if (++nDigits > 10) return false;
      nValue = nValue * 10 + static_cast<unsigned>(m_Text[m_nAt++] - '0');
    }
    if (nDigits == 0 || nValue > 0xFFFFFFFFu || Left() == 0 || m_Text[m_nAt] != cEnd) return false;
    ++m_nAt;
    rCount = static_cast<size_t>(nValue);
    return true;
  }

  // "<n>:<name>" and the byte after it.
  bool Name(std::string& rName, char cEnd)
  {
    size_t nName = 0;
    if (!Count(nName, ':') || nName >= Left()) return false;
    rName = m_Text.substr(m_nAt, nName);
    m_nAt += nName;
    return m_Text[m_nAt++] == cEnd && rName.find('\0') == std::string::npos;
  }

  // "<type> <m>:<hex>\n"
  bool Value(TStoreValue& rValue)
  {
    size_t nType = 0;
    size_t nData = 0;
    if (!Count(nType, ' ') || !Count(nData, ':')) return false;
    if (nData > Left() / 2 || 2 * nData >= Left()) return false;  // the digits and '\n'
    rValue.Type = static_cast<DWORD>(nType);
    rValue.Bytes.resize(nData);
    for (size_t i = 0; i < nData; ++i) {
      int nHigh = HexDigit(m_Text[m_nAt++]);
      int nLow = HexDigit(m_Text[m_nAt++]);
      if (nHigh < 0 || nLow < 0) return false;
      rValue.Bytes[i] = static_cast<char>(nHigh * 16 + nLow);
    }
    return m_Text[m_nAt++] == '\n';
  }

  static int HexDigit(char c)
  {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
  }

  static bool IsWellFormedPath(const std::string& rPath)
  {
    return rPath.empty() || (rPath.front() != '\\' && rPath.back() != '\\' &&
                             rPath.find("\\\\") == std::string::npos);
  }

  const std::string& m_Text;
  size_t m_nAt = 0;
};

std::string StoreFolder()
{
  const char* pDirect = getenv("EXTRACTPANEL_REGISTRY_DIR");
  if (pDirect && *pDirect) return pDirect;
  const char* pConfig = getenv("XDG_CONFIG_HOME");
  if (pConfig && pConfig[0] == '/') return std::string(pConfig) + "/extractpanel/registry";
  const char* pHome = getenv("HOME");
  if (pHome && *pHome) return std::string(pHome) + "/.config/extractpanel/registry";
  return std::string();
}

std::string StorePath(TStoreRoot eRoot)
{
  std::string folder = StoreFolder();
  if (folder.empty()) return folder;
  return folder + (eRoot == STORE_CLASSES_ROOT ? "/classes_root.store" : "/current_user.store");
}

LONG CodeOfErrno(int nError)
{
  if (nError == EACCES || nError == EPERM || nError == EROFS) return ERROR_ACCESS_DENIED;
  if (nError == ENOMEM) return ERROR_NOT_ENOUGH_MEMORY;
  return kRegistryIoFailed;
}

// 0 and the file's bytes; ERROR_FILE_NOT_FOUND; kNotAStore for no regular
// file or too large a one; else a registry code.
LONG ReadStoreFile(const std::string& rPath, std::string& rContent)
{
  int nError = ReadFileBytes(rPath, rContent, STORE_FILE_LIMIT);
  if (nError == 0) return ERROR_SUCCESS;
  if (nError == ENOENT) return ERROR_FILE_NOT_FOUND;
  return nError == EFBIG ? kNotAStore : CodeOfErrno(nError);
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

void AppendCounted(std::string& rOut, char cKind, const std::string& rName)
{
  rOut += cKind;
  rOut += ' ' + std::to_string(rName.size()) + ':' + rName;
}

}  // namespace

TStoreValue* TStoreKey::Find(const std::string& rName)
{
  std::string folded = FoldedName(rName);
  for (TStoreValue& rValue : Values)
    if (FoldedName(rValue.Name) == folded) return &rValue;
  return nullptr;
}

bool HasKey(const TStore& rStore, const std::string& rPath)
{
  return rPath.empty() || rStore.count(rPath) != 0;
}

bool ParseStore(const std::string& rContent, TStore& rStore)
{
  rStore.clear();
  if (TStoreParser(rContent).Parse(rStore)) return true;
  rStore.clear();
  return false;
}

std::string StoreText(const TStore& rStore)
{
  static const char kHex[] = "0123456789abcdef";
  std::string text = kHeader;
  for (const auto& rKey : rStore) {
    AppendCounted(text, 'K', rKey.first);
    text += '\n';
    for (const TStoreValue& rValue : rKey.second.Values) {
      AppendCounted(text, 'V', rValue.Name);
      text += ' ' + std::to_string(rValue.Type) + ' ' + std::to_string(rValue.Bytes.size()) + ':';
      for (unsigned char c : rValue.Bytes) {
        text += kHex[c >> 4];
        text += kHex[c & 15];
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
  if (!path.empty() && ReadStoreFile(path, content) == ERROR_SUCCESS) ParseStore(content, store);
  return store;
}

TStoreChange::TStoreChange(TStoreRoot eRoot) : m_StorePath(StorePath(eRoot))
{
  if (m_StorePath.empty()) return;
  if (!MakeFolders(std::filesystem::path(m_StorePath).parent_path())) {
    m_lStatus = CodeOfErrno(errno);
    return;
  }
  std::string lockPath = m_StorePath.substr(0, m_StorePath.size() - 6) + ".lock";
  m_nLockFile = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (m_nLockFile < 0) { m_lStatus = CodeOfErrno(errno); return; }
  while (flock(m_nLockFile, LOCK_EX) != 0) {
    if (errno != EINTR) { m_lStatus = CodeOfErrno(errno); return; }
  }
  std::string content;
  LONG lRead = ReadStoreFile(m_StorePath, content);
  if (lRead == ERROR_FILE_NOT_FOUND || (lRead == ERROR_SUCCESS && ParseStore(content, m_Store))) {
    m_lStatus = ERROR_SUCCESS;
  } else if (lRead != ERROR_SUCCESS && lRead != kNotAStore) {
    m_lStatus = lRead;
  } else {
    // Damaged, foreign or oversized: set aside rather than overwritten, so
    // that nothing in it is lost; the change starts a fresh store.
    std::string damaged = m_StorePath + ".damaged";
    m_lStatus = rename(m_StorePath.c_str(), damaged.c_str()) == 0 ? ERROR_SUCCESS : CodeOfErrno(errno);
  }
}

TStoreChange::~TStoreChange()
{
  // Closing the file lets the lock go.
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
