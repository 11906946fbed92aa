// Whether a path names its place from a root of its own, so that no
// current folder (nor current drive) takes part in finding it.
#ifndef EXTRACTPANEL_FULLPATH_H
#define EXTRACTPANEL_FULLPATH_H

// Windows: a drive root (C:\) or a share (\\server\share\); C:name and
// \name are not. POSIX: a path from /.
bool IsFullPath(const char* pPath);

#endif
