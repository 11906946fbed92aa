// POSIX only: the drive helpers of the path tests; no drive names anything.
#include "pathtesting.h"

namespace pathtest {

char UnmappedDriveLetter() { return 'Q'; }

std::string DriveRelativeName(const std::string& sName) { return "C:" + sName; }

void MakeDriveRelativeFolder(const std::string& sName) { MakeFolder(DriveRelativeName(sName)); }

}  // namespace pathtest
