// POSIX only: the registry store, one file per root key, and its safe
// replacement between processes.
//
// The store is one folder: $EXTRACTPANEL_REGISTRY_DIR when set and not
// empty, else $XDG_CONFIG_HOME/extractpanel/registry when that is an
// absolute path, else $HOME/.config/extractpanel/registry. It holds per root
// "<root>.store", "<root>.lock" (taken around every change),
// "<root>.store.tmp" while a change is written and, after a change met a
// damaged store file, "<root>.store.damaged" (that file, set aside). <root>
// is current_user, classes_root or local_machine. A store file reads:
//
//   extractpanel-registry 1\n                     the header, exactly these bytes
//   K <n>:<path>\n                                a key
//   V <n>:<name> <type> <m>:<hex>\n               a value of the key above it
//
// <n> and <m> are byte counts in decimal (1 to 10 digits). <path> is the
// key's names from the root joined by single backslashes, in the case they
// were created with (empty: the root itself). <name> is the value's name,
// raw bytes (empty for the default value); <type> the registry type in
// decimal; <hex> the m bytes as 2m lower-case hex digits. No name holds a
// NUL byte, no path an empty name. A file that departs from this in any
// byte reads as absent as a whole.
#ifndef EXTRACTPANEL_REGISTRYSTORE_H
#define EXTRACTPANEL_REGISTRYSTORE_H

#include <map>
#include <string>
#include <vector>

#include "foldedname.h"
#include "platform_types.h"

enum TStoreRoot { STORE_CURRENT_USER, STORE_CLASSES_ROOT, STORE_LOCAL_MACHINE };

// A larger store file is not read; a change that would make one is refused.
const size_t STORE_FILE_LIMIT = 64u << 20;

// Paths match without regard to the case of A to Z; the case stored is kept.
struct TFoldedLess
{
  bool operator()(const std::string& rLeft, const std::string& rRight) const
  {
    return FoldedName(rLeft) < FoldedName(rRight);
  }
};

struct TStoreValue
{
  std::string Name;
  DWORD Type;
  std::string Bytes;
};

// A key's values in the order they were first set.
typedef std::vector<TStoreValue> TStoreValues;
// The keys by path. The root has an entry only once it holds a value (or
// the file had one).
typedef std::map<std::string, TStoreValues, TFoldedLess> TStore;

// The value of that name in any case, or rValues.end().
TStoreValues::iterator FindValue(TStoreValues& rValues, const std::string& rName);

// False, and rStore empty, for a damaged file.
bool ParseStore(const std::string& rContent, TStore& rStore);
std::string StoreText(const TStore& rStore);

// The root's store as it is now: empty when absent, unreadable or damaged.
TStore ReadStore(TStoreRoot eRoot);

// A change to one root's store: the constructor makes the folder, takes the
// lock and reads the store; Commit replaces the file in one step; the
// destructor lets the lock go. Other processes see the old file or the new
// one, never a part. May throw std::bad_alloc.
class TStoreChange
{
public:
  explicit TStoreChange(TStoreRoot eRoot);
  ~TStoreChange();
  TStoreChange(const TStoreChange&) = delete;
  TStoreChange& operator=(const TStoreChange&) = delete;

  // 0 when the lock is held and the store read; else a registry code.
  LONG Status() const { return m_lStatus; }
  TStore& Store() { return m_Store; }
  // 0, or a registry code with the old file left as it was.
  LONG Commit();

private:
  std::string m_StorePath;
  TStore m_Store;
  int m_nLockFile = -1;
  LONG m_lStatus = ERROR_ACCESS_DENIED;
};

#endif
