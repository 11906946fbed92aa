// Test support for the path and folder tests: a fresh folder of their own
// under the system's temp folder, and small file-system helpers that do not
// go through the code under test.
#ifndef EXTRACTPANEL_TESTS_SCRATCHFOLDER_H
#define EXTRACTPANEL_TESTS_SCRATCHFOLDER_H

#include <string>

namespace pathtest {

class ScratchFolder
{
public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& Path() const { return m_path; }
  // The folder's path, the separator and sName.
  std::string Join(const std::string& sName) const;

private:
  std::string m_path;
};

// Makes a folder the current one for the life of the object.
class CurrentFolder
{
public:
  explicit CurrentFolder(const std::string& sPath);
  ~CurrentFolder();
  CurrentFolder(const CurrentFolder&) = delete;
  CurrentFolder& operator=(const CurrentFolder&) = delete;

private:
  std::string m_previous;
};

bool IsFolder(const std::string& sPath);
bool IsFile(const std::string& sPath);
void WriteTextFile(const std::string& sPath, const std::string& sContent = "x");
void MakeFolder(const std::string& sPath);
// Takes away or gives back the right to write to a file.
void SetReadOnly(const std::string& sPath, bool bReadOnly);

// A drive letter with no drive behind it.
char UnmappedDriveLetter();
// sName in the current folder, in the drive-relative form C:name.
std::string DriveRelativeName(const std::string& sName);
// Makes the folder that DriveRelativeName(sName) names.
void MakeDriveRelativeFolder(const std::string& sName);

}  // namespace pathtest

#endif
