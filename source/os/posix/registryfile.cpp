// POSIX only: the registry store's folder, its lock and its atomic file writes.
#include "registryfile.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "fileio.h"
#include "registryformat.h"

namespace {

const LONG kRegistryIoFailed = 1016;  // ERROR_REGISTRY_IO_FAILED
// Something other than a store file: a folder, a device, an oversized file.
const LONG kNotAStore = 13;  // ERROR_INVALID_DATA

const char* RootFileName(TStoreRoot eRoot)
{
  return eRoot == STORE_CLASSES_ROOT ? "classes_root" : "current_user";
}

bool StoreFolder(TText& rFolder)
{
  const char* pDirect = getenv("EXTRACTPANEL_REGISTRY_DIR");
  if (pDirect && *pDirect) return rFolder.Assign(pDirect);
  const char* pConfig = getenv("XDG_CONFIG_HOME");
  if (pConfig && pConfig[0] == '/') {
    return rFolder.Assign(pConfig) && rFolder.Append("/extractpanel/registry");
  }
  const char* pHome = getenv("HOME");
  if (pHome && *pHome) {
    return rFolder.Assign(pHome) && rFolder.Append("/.config/extractpanel/registry");
  }
  return false;
}

// The path of one of the root's files: suffix ".store", ".lock", ...
bool RootFilePath(TStoreRoot eRoot, const char* pSuffix, TText& rPath)
{
  return StoreFolder(rPath) && rPath.Append("/") && rPath.Append(RootFileName(eRoot)) &&
         rPath.Append(pSuffix);
}

LONG CodeOfErrno(int nError)
{
  if (nError == EACCES || nError == EPERM || nError == EROFS) return ERROR_ACCESS_DENIED;
  if (nError == ENOMEM) return ERROR_NOT_ENOUGH_MEMORY;
  return kRegistryIoFailed;
}

// Makes the folder and its missing parents, private to the user.
bool MakeFolders(const TText& rFolder)
{
  TText path;
  if (!path.Assign(rFolder.Text())) return false;
  char* pPath = path.Buffer();
  for (char* p = pPath + 1; *p; ++p) {
    if (*p != '/') continue;
    *p = 0;
    if (mkdir(pPath, 0700) != 0 && errno != EEXIST) return false;
    *p = '/';
  }
  return mkdir(pPath, 0700) == 0 || errno == EEXIST;
}

// 0 and the file's bytes; 2 when there is no file; kNotAStore when it is
// no regular file or too large; else a registry code.
LONG ReadWholeFile(const char* pPath, TText& rContent)
{
  rContent.Clear();
  int nFile = open(pPath, O_RDONLY | O_CLOEXEC);
  if (nFile < 0) return errno == ENOENT ? ERROR_FILE_NOT_FOUND : CodeOfErrno(errno);
  struct stat info;
  LONG lResult = ERROR_SUCCESS;
  if (fstat(nFile, &info) != 0) {
    lResult = CodeOfErrno(errno);
  } else if (!S_ISREG(info.st_mode) ||
             static_cast<unsigned long long>(info.st_size) > STORE_FILE_LIMIT) {
    lResult = kNotAStore;
  } else if (!rContent.Resize(static_cast<size_t>(info.st_size))) {
    lResult = ERROR_NOT_ENOUGH_MEMORY;
  } else {
    size_t nDone = 0;
    while (nDone < rContent.GetLength()) {
      ssize_t nRead = read(nFile, rContent.Buffer() + nDone, rContent.GetLength() - nDone);
      if (nRead < 0 && errno == EINTR) continue;
      if (nRead < 0) { lResult = CodeOfErrno(errno); break; }
      if (nRead == 0) break;
      nDone += static_cast<size_t>(nRead);
    }
    // A file cut short while it was read is judged by what was there.
    if (lResult == ERROR_SUCCESS) rContent.Resize(nDone);
  }
  close(nFile);
  if (lResult != ERROR_SUCCESS) rContent.Clear();
  return lResult;
}


}  // namespace

void ReadStore(TStoreRoot eRoot, TText& rContent)
{
  TText path;
  rContent.Clear();
  if (!RootFilePath(eRoot, ".store", path)) return;
  // The file is only ever replaced whole, so no lock is needed to read it.
  if (ReadWholeFile(path.Text(), rContent) != ERROR_SUCCESS ||
      !IsWellFormedStore(rContent.Text(), rContent.GetLength())) {
    rContent.Clear();
  }
}

TStoreChange::TStoreChange(TStoreRoot eRoot) : m_nLockFile(-1), m_lStatus(ERROR_ACCESS_DENIED)
{
  TText folder;
  TText lockPath;
  if (!StoreFolder(folder) || !RootFilePath(eRoot, ".store", m_StorePath) ||
      !RootFilePath(eRoot, ".lock", lockPath)) {
    return;
  }
  if (!MakeFolders(folder)) { m_lStatus = CodeOfErrno(errno); return; }
  m_nLockFile = open(lockPath.Text(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (m_nLockFile < 0) { m_lStatus = CodeOfErrno(errno); return; }
  while (flock(m_nLockFile, LOCK_EX) != 0) {
    if (errno != EINTR) { m_lStatus = CodeOfErrno(errno); return; }
  }
  LONG lRead = ReadWholeFile(m_StorePath.Text(), m_Content);
  if (lRead == ERROR_FILE_NOT_FOUND) { m_lStatus = ERROR_SUCCESS; return; }
  if (lRead != ERROR_SUCCESS && lRead != kNotAStore) { m_lStatus = lRead; return; }
  if (lRead == ERROR_SUCCESS && IsWellFormedStore(m_Content.Text(), m_Content.GetLength())) {
    m_lStatus = ERROR_SUCCESS;
    return;
  }
  // Damaged, foreign or oversized: set aside rather than overwritten, so
  // that nothing in it is lost; the change starts a fresh store.
  m_Content.Clear();
  TText damagedPath;
  if (!damagedPath.Assign(m_StorePath.Text()) || !damagedPath.Append(".damaged")) {
    m_lStatus = ERROR_NOT_ENOUGH_MEMORY;
    return;
  }
  m_lStatus = rename(m_StorePath.Text(), damagedPath.Text()) == 0 ? ERROR_SUCCESS
                                                                  : CodeOfErrno(errno);
}

TStoreChange::~TStoreChange()
{
  // Closing the file lets the lock go.
  if (m_nLockFile >= 0) close(m_nLockFile);
}

LONG TStoreChange::Commit(const TText& rNewContent)
{
  if (m_lStatus != ERROR_SUCCESS) return m_lStatus;
  if (rNewContent.GetLength() > STORE_FILE_LIMIT) return ERROR_NOT_ENOUGH_MEMORY;
  TText tempPath;
  if (!tempPath.Assign(m_StorePath.Text()) || !tempPath.Append(".tmp")) {
    return ERROR_NOT_ENOUGH_MEMORY;
  }
  // One writer at a time holds the lock, so one temporary name will do.
  int nFile = open(tempPath.Text(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (nFile < 0) return CodeOfErrno(errno);
  bool bWritten = WriteAll(nFile, rNewContent.Text(), rNewContent.GetLength()) &&
                  fsync(nFile) == 0;
  int nError = errno;
  if (close(nFile) != 0 && bWritten) { bWritten = false; nError = errno; }
  if (bWritten && rename(tempPath.Text(), m_StorePath.Text()) == 0) return ERROR_SUCCESS;
  if (bWritten) nError = errno;
  unlink(tempPath.Text());
  return CodeOfErrno(nError);
}
