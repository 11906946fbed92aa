// Windows only: the drive helpers of the path tests, from the system's drives.
#include "pathtesting.h"

#include <filesystem>
#include <stdexcept>

#include "platform.h"

namespace pathtest {

char UnmappedDriveLetter()
{
  DWORD dwDrives = GetLogicalDrives();
  for (int nDrive = 'Y' - 'A'; nDrive >= 'D' - 'A'; --nDrive) {
    if ((dwDrives & (1u << nDrive)) == 0) return (char)('A' + nDrive);
  }
  throw std::runtime_error("every drive letter is in use");
}

std::string DriveRelativeName(const std::string& sName)
{
  std::string sCurrent = std::filesystem::current_path().string();
  if (sCurrent.size() < 2 || sCurrent[1] != ':') throw std::runtime_error("no drive: " + sCurrent);
  return sCurrent.substr(0, 2) + sName;
}

void MakeDriveRelativeFolder(const std::string& sName) { MakeFolder(sName); }

}  // namespace pathtest
