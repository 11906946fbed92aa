// POSIX only: a file read whole, and a file replaced whole in one step.
#ifndef EXTRACTPANEL_WHOLEFILE_H
#define EXTRACTPANEL_WHOLEFILE_H

#include <sys/types.h>

#include <string>

// 0 and the file's bytes, or an errno value: EFBIG for anything but a
// regular file of at most nLimit bytes. A file cut short while it is read is
// judged by what was there.
int ReadFileBytes(const std::string& rPath, std::string& rText, size_t nLimit);
// Writes rText to the open temporary file nFile, gives it nMode, flushes it
// to disk and renames it over rPath, so a reader sees the old file or the
// new one, never a part. Closes nFile; on failure the temporary is removed.
// 0 or an errno value.
int ReplaceFileBytes(int nFile, const std::string& rTemp, const std::string& rPath,
                     const std::string& rText, mode_t nMode);

#endif
