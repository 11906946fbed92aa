// Folder creation with its parent walk, on any relative path inside a
// sandbox of the run's own, with CreateDirectoryA refused from a fuzzed
// call on: what is made must be the path's own folders, shallowest first,
// and the answer must say whether the folder is there.
#include <fuzzer/FuzzedDataProvider.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "faults.h"
#include "fuzzsandbox.h"
#include "platform.h"
#include "tpath.h"

namespace {

// No "..", so nothing can lead out of the sandbox; the backslash is an
// ordinary character of a POSIX name.
std::string RelativePath(FuzzedDataProvider& input)
{
  static const char ALPHABET[] = "ab/\\. ";
  std::string path;
  size_t nLength = input.ConsumeIntegralInRange<size_t>(0, 24);
  for (size_t i = 0; i < nLength; ++i) {
    char c = ALPHABET[input.ConsumeIntegralInRange<size_t>(0, sizeof ALPHABET - 2)];
    if (c == '.' && !path.empty() && path.back() == '.') c = 'b';
    path += c;
  }
  return path;
}

bool IsFolder(const std::string& path)
{
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Every folder in the sandbox must lie on the way to the requested one.
void CheckOnlyOwnFoldersMade(const std::string& box, const std::string& requested)
{
  std::error_code ec;
  std::string target = std::filesystem::path(requested).lexically_normal().string();
  for (std::filesystem::recursive_directory_iterator it(box, ec), end; !ec && it != end;
       it.increment(ec)) {
    std::string made = it->path().lexically_normal().string();
    FUZZ_CHECK(target.compare(0, made.size(), made) == 0);
    FUZZ_CHECK(target.size() == made.size() || target[made.size()] == '/');
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
  FuzzedDataProvider input(pData, nSize);
  // The first refused call, and how many after it are refused too.
  int nFirstRefused = input.ConsumeIntegralInRange<int>(0, 12);  // 0: none
  int nRefusals = input.ConsumeIntegralInRange<int>(1, 1000);
  std::string relative = RelativePath(input);
  const std::string box = fuzz::SandboxFile("tree");
  fuzz::EmptyFolder(box);
  ::mkdir(box.c_str(), 0700);
  std::string requested = box + "/" + relative;

  if (nFirstRefused) ArmFault(FAULT_CREATE_DIRECTORY, nFirstRefused, nRefusals);
  SetLastError(0);
  int nResult = CreateDirectoryTree(requested.c_str(), nullptr);
  DWORD dwError = GetLastError();
  ResetFaults();

  CheckOnlyOwnFoldersMade(box, requested);
  if (nResult) {
    FUZZ_CHECK(IsFolder(requested));
  } else {
    FUZZ_CHECK(nFirstRefused != 0);
    FUZZ_CHECK(dwError == ERROR_ACCESS_DENIED || dwError == ERROR_PATH_NOT_FOUND);
  }
  return 0;
}
