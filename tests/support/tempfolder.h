// A folder of its own for one test: created empty under the system's
// temporary folder with a name no other test or process uses, and removed
// with everything in it when the object goes.
#ifndef EXTRACTPANEL_TESTS_TEMPFOLDER_H
#define EXTRACTPANEL_TESTS_TEMPFOLDER_H

#include <string>

class TTempFolder
{
public:
  TTempFolder();
  ~TTempFolder();

  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;

  // Absolute, without a trailing separator. Empty if it could not be made.
  const std::string& Path() const { return m_Path; }
  // Path() joined with a relative name by the OS separator.
  std::string File(const std::string& name) const;
  // Makes a subfolder (and the ones above it) and returns its path.
  std::string MakeFolder(const std::string& name) const;

private:
  std::string m_Path;
};

#endif
