// POSIX only: the drive helpers of the path tests. No drive letter names
// anything here, so a drive-relative text is a plain file name.
#include "scratchfolder.h"

namespace pathtest {

char UnmappedDriveLetter() { return 'Q'; }

std::string DriveRelativeName(const std::string& sName) { return "C:" + sName; }

void MakeDriveRelativeFolder(const std::string& sName) { MakeFolder(DriveRelativeName(sName)); }

}  // namespace pathtest
