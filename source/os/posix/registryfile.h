// POSIX only: where the registry store lives, and reading and replacing its
// files safely between processes.
//
// The store is one folder: $EXTRACTPANEL_REGISTRY_DIR when set and not
// empty, else $XDG_CONFIG_HOME/extractpanel/registry when that is an
// absolute path, else $HOME/.config/extractpanel/registry. It holds per root
// key "<root>.store" (the format of registryformat.h), "<root>.lock" (the
// lock taken around every change), "<root>.store.tmp" while a change is
// being written and, after a change met a damaged store file,
// "<root>.store.damaged" (that file, set aside). <root> is current_user or
// classes_root.
#ifndef EXTRACTPANEL_REGISTRYFILE_H
#define EXTRACTPANEL_REGISTRYFILE_H

#include "platform_types.h"
#include "text.h"

enum TStoreRoot
{
  STORE_CURRENT_USER,
  STORE_CLASSES_ROOT
};

// A larger store file is not read; a change that would make one is refused.
const size_t STORE_FILE_LIMIT = 64u << 20;

// The content of the root's store file as it is now: empty when the file
// is absent, unreadable or damaged, so that it reads as an empty store.
void ReadStore(TStoreRoot eRoot, TText& rContent);

// A change to one root's store: the constructor makes the folder, takes the
// lock and reads the content; Commit replaces the file in one step; the
// destructor lets the lock go. Other processes see either the old file or
// the new one, never a part.
class TStoreChange
{
public:
  explicit TStoreChange(TStoreRoot eRoot);
  ~TStoreChange();

  // 0 when the lock is held and the content read; else a registry code.
  LONG Status() const { return m_lStatus; }
  // The content read under the lock (empty for a new or damaged store).
  const TText& Content() const { return m_Content; }
  // Writes the new content to a temporary file and renames it over the
  // store file. 0, or a registry code with the old file left as it was.
  LONG Commit(const TText& rNewContent);

private:
  TStoreChange(const TStoreChange&);
  TStoreChange& operator=(const TStoreChange&);

  TText m_StorePath;
  TText m_Content;
  int m_nLockFile;
  LONG m_lStatus;
};

#endif
