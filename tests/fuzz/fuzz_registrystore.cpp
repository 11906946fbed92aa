// The POSIX registry store fed damaged store files: the reader must stay
// inside the bytes, a file is either all there or reads as absent, and a
// change through the registry functions keeps every other value, sets a
// damaged file aside whole, and, refused, changes nothing.
#include <fuzzer/FuzzedDataProvider.h>

#include <sys/stat.h>

#include <cstdlib>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "faults.h"
#include "fuzzsandbox.h"
#include "platform.h"
#include "registrystore.h"

namespace {

const char HEADER[] = "extractpanel-registry 1\n";
const size_t MAX_KEY_NAME = 256;

typedef std::map<std::pair<std::string, std::string>, std::pair<DWORD, std::string>> TSnapshot;

std::string Folded(std::string text)
{
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return text;
}

// Every value of a store by folded key and name.
TSnapshot Snapshot(const TStore& rStore)
{
  TSnapshot values;
  for (const auto& rKey : rStore)
    for (const TStoreValue& rValue : rKey.second) {
      auto slot = std::make_pair(Folded(rKey.first), Folded(rValue.Name));
      FUZZ_CHECK(!values.count(slot));
      values[slot] = std::make_pair(rValue.Type, rValue.Bytes);
    }
  return values;
}

// The content as the store reads it; a well-formed one writes back to a
// content that reads the same.
TSnapshot Snapshot(const std::string& content, bool* pbWellFormed)
{
  TStore store;
  *pbWellFormed = ParseStore(content, store);
  FUZZ_CHECK(*pbWellFormed || store.empty());
  TStore again;
  FUZZ_CHECK(ParseStore(StoreText(store), again));
  FUZZ_CHECK(Snapshot(again) == Snapshot(store));
  return Snapshot(store);
}

// The first key of the content that the registry functions can name.
bool FirstKey(const std::string& content, std::string& rKey)
{
  TStore store;
  if (!ParseStore(content, store) || store.empty()) return false;
  rKey = store.begin()->first;
  size_t nName = 0;
  for (char c : rKey) {
    nName = c == '\\' ? 0 : nName + 1;
    if (nName > MAX_KEY_NAME) return false;
  }
  return true;
}

std::string QueryBytes(HKEY key, const std::string& name, LONG* plResult)
{
  DWORD dwSize = 0;
  *plResult = RegQueryValueExA(key, name.c_str(), nullptr, nullptr, nullptr, &dwSize);
  if (*plResult != ERROR_SUCCESS) return std::string();
  std::string bytes(dwSize, '\0');
  *plResult = RegQueryValueExA(key, name.c_str(), nullptr, nullptr,
                               reinterpret_cast<BYTE*>(&bytes[0]), &dwSize);
  FUZZ_CHECK(*plResult != ERROR_SUCCESS || dwSize == bytes.size());
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
  static const std::string s_Folder = fuzz::SandboxFile("registry");
  static const bool s_bReady = setenv("EXTRACTPANEL_REGISTRY_DIR", s_Folder.c_str(), 1) == 0;
  FUZZ_CHECK(s_bReady);
  FuzzedDataProvider input(pData, nSize);
  bool bWithHeader = input.ConsumeBool();
  bool bRefused = input.ConsumeBool();
  bool bDelete = input.ConsumeBool();
  std::string value = input.ConsumeRandomLengthString(64);
  std::string content = (bWithHeader ? HEADER : "") + input.ConsumeRemainingBytesAsString();

  fuzz::EmptyFolder(s_Folder);
  ::mkdir(s_Folder.c_str(), 0700);
  const std::string store = s_Folder + "/current_user.store";
  const std::string damaged = store + ".damaged";
  if (!fuzz::WriteBytes(store, content)) return 0;

  bool bWellFormed = false;
  TSnapshot before = Snapshot(content, &bWellFormed);
  FUZZ_CHECK(Snapshot(ReadStore(STORE_CURRENT_USER)) == before);

  // The file's first key, or a book key made for the change.
  std::string keyPath;
  bool bOpened = bWellFormed && FirstKey(content, keyPath);
  HKEY key = nullptr;
  LONG lResult;
  if (bOpened) {
    lResult = RegOpenKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_READ | KEY_SET_VALUE, &key);
    FUZZ_CHECK(lResult == ERROR_SUCCESS);
    // Every value of that key reads back as the file holds it.
    for (const auto& entry : before) {
      if (entry.first.first != Folded(keyPath)) continue;
      std::string bytes = QueryBytes(key, entry.first.second, &lResult);
      FUZZ_CHECK(lResult == ERROR_SUCCESS && bytes == entry.second.second);
    }
  } else {
    keyPath = "Software\\Ostrel\\UserData\\Referrals\\book";
    if (bRefused) ArmFault(FAULT_REG_CREATE_KEY, 1, 1);
    lResult = RegCreateKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0,
                              KEY_READ | KEY_WRITE, nullptr, &key, nullptr);
    ResetFaults();
    if (bRefused) {
      FUZZ_CHECK(lResult == ERROR_ACCESS_DENIED && key == nullptr);
      FUZZ_CHECK(fuzz::ReadBytes(store) == content);
      return 0;
    }
    FUZZ_CHECK(lResult == ERROR_SUCCESS);
  }

  std::string name =
      bDelete && !before.empty() ? before.begin()->first.second : "Install Directory";
  // A damaged file was set aside: what it held under this key is gone.
  bool bChange = !bDelete ||
                 (bWellFormed && !before.empty() && before.begin()->first.first == Folded(keyPath));
  if (bRefused && !bDelete) ArmFault(FAULT_REG_SET_VALUE, 1, 1);
  if (bDelete) lResult = bChange ? RegDeleteValueA(key, name.c_str()) : ERROR_SUCCESS;
  else
    lResult = RegSetValueExA(key, name.c_str(), 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(value.c_str()), value.size() + 1);
  ResetFaults();
  RegCloseKey(key);

  std::string after = fuzz::ReadBytes(store);
  if (bRefused && !bDelete) {
    FUZZ_CHECK(lResult == ERROR_ACCESS_DENIED);
    if (bOpened) FUZZ_CHECK(after == content);
    return 0;
  }
  FUZZ_CHECK(lResult == ERROR_SUCCESS);
  if (!content.empty() && !bWellFormed) FUZZ_CHECK(fuzz::ReadBytes(damaged) == content);
  bool bNowWellFormed = false;
  TSnapshot now = Snapshot(after, &bNowWellFormed);
  FUZZ_CHECK(bNowWellFormed);
  // Nothing but the changed value differs.
  TSnapshot expected = bWellFormed ? before : TSnapshot();
  auto slot = std::make_pair(Folded(keyPath), Folded(name));
  if (bDelete && bChange) expected.erase(slot);
  if (!bDelete) expected[slot] = std::make_pair(DWORD(REG_SZ), value + '\0');
  FUZZ_CHECK(now == expected);
  return 0;
}
