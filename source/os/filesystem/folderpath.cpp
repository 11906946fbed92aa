#include "folderpath.h"

#include "fixedtext.h"
#include "pathsearch.h"
#include "tpath.h"

namespace {

// A drive root holds a colon of its own, so its set leaves the colon out.
const char DRIVE_ROOT_FORBIDDEN[] = "*?\"<>|";
const char UNC_ROOT_FORBIDDEN[] = ":*?\"<>|";
const char REMAINDER_FORBIDDEN[] = ":*?\"<>|";

const char DOUBLED_BACKSLASH[] = "\\\\";
const char DOUBLED_SLASH[] = "//";

int HasDoubledSeparator(const char* pText)
{
  return FindPathPair(pText, DOUBLED_BACKSLASH) != 0 || FindPathPair(pText, DOUBLED_SLASH) != 0;
}

// The part of the path in which doubled separators are refused: the whole
// text, but only the remainder of a UNC path, whose opening \\ is its own.
const char* DoubledSeparatorScope(const char* pPath)
{
  if (!PathIsUNCA(pPath)) return pPath;
  const char* pRemainder = PathSkipRootA(pPath);
  return pRemainder ? pRemainder : "";
}

// 1 when the root is a well-formed drive root, with or without its
// backslash (C: or C:\), present or not.
int IsDriveRootForm(const TText& rRoot)
{
  int nDrive = PathGetDriveNumberA(rRoot.Text());
  if (nDrive == -1) return 0;
  TPathText built;
  PathBuildRootA(built.Buffer(), nDrive);
  TText withBackslash;
  if (!withBackslash.Assign(rRoot.Text())) return 0;
  TPath(withBackslash).AddBackslash();
  return lstrcmpiA(built.Text(), withBackslash.Text()) == 0 ? 1 : 0;
}

}  // namespace

int HasForbiddenChars(const char* pPath)
{
  // Root and remainder; a text without a recognised root is one or the
  // other as a whole.
  size_t nRootLength = 0;
  if (!PathIsRelativeA(pPath)) {
    const char* pRemainder = PathSkipRootA(pPath);
    if (pRemainder && *pRemainder) {
      nRootLength = pRemainder - pPath;
    } else if (pPath[0] != '\\') {
      nRootLength = lstrlenA(pPath);
    }
  }
  if (nRootLength) {
    const char* pSet = PathIsUNCA(pPath) ? UNC_ROOT_FORBIDDEN : DRIVE_ROOT_FORBIDDEN;
    if (FindAnyPathChar(pPath, nRootLength, pSet)) return 1;
  }
  const char* pRemainder = pPath + nRootLength;
  return FindAnyPathChar(pRemainder, lstrlenA(pRemainder), REMAINDER_FORBIDDEN) ? 1 : 0;
}

int TPath::IsValidFolderPath() const
{
  TText copy;
  if (!copy.Assign(m_rPath.Text())) return 0;
  const char* pPath = copy.Text();

  if (HasForbiddenChars(pPath)) return 0;
  if (HasDoubledSeparator(DoubledSeparatorScope(pPath))) return 0;
  // A relative folder is taken as typed, without a look at the disk.
  if (PathIsRelativeA(pPath)) return 1;

  TText root;
  if (!TPath(copy).GetRoot(root)) return 0;
  // A share may be out of reach now and there when the book is unpacked;
  // it is taken before the disk is asked, since asking an unreachable
  // server holds the dialog for the network's time-out.
  if (PathIsUNCA(root.Text())) return 1;
  if (PathFileExistsA(root.Text())) return 1;
  return IsDriveRootForm(root);
}

int IsValidFolderPath(const char* pPath)
{
  TText copy;
  if (!copy.Assign(pPath)) return 0;
  return TPath(copy).IsValidFolderPath();
}
