// Test support for the path and folder tests: file-system checks that do
// not go through the code under test, the current folder, and drives.
#ifndef EXTRACTPANEL_TESTS_PATHTESTING_H
#define EXTRACTPANEL_TESTS_PATHTESTING_H

#include <string>

namespace pathtest {

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
