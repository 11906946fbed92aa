// Mode 2's derived paths and shortcut file names on any settings: each
// derived path is the plain join or, when it does not fit, empty; the book
// folder names the desktop shortcut only when it fits; the free file name
// is the first candidate not taken; and making a shortcut never changes a
// file that was there before.
#include <fuzzer/FuzzedDataProvider.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>
#include <system_error>

#include "fuzzsandbox.h"
#include "platform.h"
#include "platform_codepage.h"
#include "postextractionsettings.h"
#include "registrator_after.h"
#include "shortcuts.h"

namespace {

std::string CText(const std::string& text) { return text.substr(0, text.find('\0')); }

// What a 260-character setting keeps of a value: all of it, or nothing.
std::string Kept(const std::string& value, size_t nCapacity)
{
  return value.size() < nCapacity ? value : std::string();
}

std::string Joined(const std::string& folder, const std::string& name)
{
  if (folder.empty() || name.empty() || folder.size() + 1 + name.size() >= MAX_PATH) return "";
  return folder + "/" + name;
}

void CheckDerivation(FuzzedDataProvider& input)
{
  static const char* const KEYS[] = {"installdirectory", "targetfilepath", "shortcuticonpath",
                                     "importtoostrelfilename", "desktopshortcutname"};
  std::map<std::string, std::string> values;
  TPostExtractionRunner reset;
  for (const char* pKey : KEYS) {
    values[pKey] = CText(input.ConsumeRandomLengthString(1100));
    FUZZ_CHECK(PostExtractionOptionCallback(pKey, values[pKey].c_str()) == 1);
  }
  DerivePostExtractionPaths();
  const TPostExtractionSettings& rSettings = g_PostSettings;
  std::string install = Kept(values["installdirectory"], 1024);
  FUZZ_CHECK(install == rSettings.InstallDirectory.Text());
  FUZZ_CHECK(Joined(install, Kept(values["targetfilepath"], MAX_PATH)) ==
             rSettings.TargetPath.Text());
  FUZZ_CHECK(Joined(install, Kept(values["shortcuticonpath"], MAX_PATH)) ==
             rSettings.IconPath.Text());
  FUZZ_CHECK(Joined(install, Kept(values["importtoostrelfilename"], MAX_PATH)) ==
             rSettings.ImportMarkerPath.Text());
  size_t nLast = install.rfind('/');
  std::string folder = nLast == std::string::npos ? "" : install.substr(nLast + 1);
  std::string desktop = Kept(values["desktopshortcutname"], MAX_PATH);
  if (!folder.empty() && folder.size() < MAX_PATH) desktop = folder;
  FUZZ_CHECK(desktop == rSettings.DesktopShortcutName.Text());
}

// No ".." anywhere, so nothing leads out of the sandbox.
std::string SafeName(FuzzedDataProvider& input, size_t nMax)
{
  std::string name = CText(input.ConsumeRandomLengthString(nMax));
  for (size_t at; (at = name.find("..")) != std::string::npos;) name[at + 1] = '_';
  return name;
}

bool Exists(const std::string& path)
{
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}

// Makes and removes the file: whether a file of that name can be made here.
bool CanCreate(const std::string& path)
{
  int nFile = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
  if (nFile < 0) return false;
  ::close(nFile);
  ::unlink(path.c_str());
  return true;
}

std::string Candidate(const std::string& base, long n)
{
  return n < 0 ? base + ".lnk" : base + " (" + std::to_string(n) + ").lnk";
}

std::map<std::string, std::string> Files(const std::string& folder)
{
  std::map<std::string, std::string> files;
  std::error_code ec;
  for (std::filesystem::recursive_directory_iterator it(folder, ec), end; !ec && it != end;
       it.increment(ec))
    if (it->is_regular_file(ec)) files[it->path().string()] = fuzz::ReadBytes(it->path().string());
  return files;
}

void CheckFileNames(FuzzedDataProvider& input)
{
  const std::string book = fuzz::SandboxFile("book");
  fuzz::EmptyFolder(book);
  ::mkdir(book.c_str(), 0700);
  std::string name = SafeName(input, 270);
  std::string base = book + "/" + name;
  // Some of the candidates are taken already, not always in a row.
  int nTaken = input.ConsumeIntegralInRange<int>(0, 6);
  for (long n = -1; n < nTaken; ++n)
    if (input.ConsumeBool()) fuzz::WriteBytes(Candidate(base, n), "taken " + std::to_string(n));

  long nFree = -1;
  while (Exists(Candidate(base, nFree))) ++nFree;
  std::string expected = Candidate(base, nFree);
  TPathText file;
  bool bFound = ReserveShortcutFile(base.c_str(), file);
  // The first free name is taken, as an empty file, unless it cannot be
  // made at all (too long, or in a folder that is not there).
  if (bFound) {
    FUZZ_CHECK(expected.size() < MAX_PATH && expected == file.Text() && Exists(expected) &&
               fuzz::ReadBytes(expected).empty());
  } else {
    FUZZ_CHECK(file.IsEmpty() && (expected.size() >= MAX_PATH || !CanCreate(expected)));
  }

  // The whole shortcut in the book's folder: whatever it makes, it keeps
  // every file that was there.
  std::map<std::string, std::string> before = Files(book);
  TPostExtractionRunner reset;
  g_PostSettings.InstallDirectory.Assign(book.c_str());
  std::string target = CText(input.ConsumeRandomLengthString(300));
  HRESULT hResult = MakeShortcut(SHORTCUT_OPEN, target.c_str(), name.c_str(), "");
  std::map<std::string, std::string> after = Files(book);
  for (const auto& entry : before)
    FUZZ_CHECK(after.count(entry.first) && after[entry.first] == entry.second);
  FUZZ_CHECK(after.size() <= before.size() + 1);
  if (after.size() == before.size() + 1) FUZZ_CHECK(hResult == S_OK);
  if (target.empty()) FUZZ_CHECK(hResult == 1 && after.size() == before.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
  FuzzedDataProvider input(pData, nSize);
  if (input.ConsumeBool()) CheckDerivation(input);
  else CheckFileNames(input);
  return 0;
}
