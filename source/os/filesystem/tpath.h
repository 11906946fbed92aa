// The path object: refers to a text owned by the caller and works on it in
// place. Windows path forms (drive roots, \\server\share\) on every platform.
#ifndef EXTRACTPANEL_TPATH_H
#define EXTRACTPANEL_TPATH_H

#include "platform.h"
#include "text.h"

class TPath
{
public:
  explicit TPath(TText& rPath) : m_rPath(rPath) {}

  // 1 when the text is an acceptable folder for extraction, else 0.
  int IsValidFolderPath() const;
  // 1 and the root in rRoot; 0, rRoot untouched, for a relative path and
  // for one that begins with a single backslash and has no root.
  int GetRoot(TText& rRoot) const;
  // Appends a backslash unless the text ends in one (or is empty). The
  // platform leaves a text of 260 characters or more as it is, and so does
  // a failure to enlarge the buffer. Always 1.
  int AddBackslash();
  // The arguments part of a command line into rArgs; 1 when not empty.
  // rArgs is left empty when no memory can be had for it.
  int GetArgs(TText& rArgs) const;
  // Cuts the arguments off the command line in place. Always 1.
  int RemoveArgs();
  // For a command line whose program part is not in double quotes: the
  // program is the longest part before a blank (or the whole text) that
  // names a program file as FindProgramFile (programsearch.h) finds it. The
  // text becomes that file's full name and rArgs what follows the blank; 0,
  // and both as they were, when no such part names a file.
  int SplitAtProgramFile(TText& rArgs);
  // For a program part that opens with a double quote, its arguments cut
  // off: a full path stays as it is; a bare name becomes the full name of
  // the file FindProgramFile finds. 0 when it finds none, and for any other
  // name, which would be looked for in the current folder.
  int FindQuotedProgramFile();
  // Non-zero when the folder is there afterwards (made, already there, or
  // a root); 0 when it cannot be made.
  int CreateDirectoryTree(LPSECURITY_ATTRIBUTES pSecurity) const;

private:
  TPath(const TPath&);
  TPath& operator=(const TPath&);

  TText& m_rPath;
};

// Works on a copy of the text; without memory for it the answer is 0, with
// ERROR_NOT_ENOUGH_MEMORY. The check of a typed folder is in folderpath.h.
int CreateDirectoryTree(const char* pPath, LPSECURITY_ATTRIBUTES pSecurity);

#endif
