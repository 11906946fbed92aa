// The POSIX registry store itself: where it lives, what it leaves on disk,
// how it stands up to other processes, damaged files and failing calls.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "faults.h"
#include "filecontent.h"
#include "platform.h"
#include "process.h"
#include "registryscratch.h"

namespace fs = std::filesystem;

namespace {

const char kHeader[] = "extractpanel-registry 1\n";

std::set<std::string> FolderEntries(const std::string& folder)
{
  std::set<std::string> names;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

// The value's bytes, or "<code N>" when the read failed.
std::string Query(const std::string& keyPath, const char* name)
{
  HKEY key = nullptr;
  LONG result = RegOpenKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_READ, &key);
  if (result != ERROR_SUCCESS) return "<code " + std::to_string(result) + ">";
  DWORD size = 0;
  result = RegQueryValueExA(key, name, nullptr, nullptr, nullptr, &size);
  std::string bytes(size, '\0');
  if (result == ERROR_SUCCESS) {
    result = RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&bytes[0]), &size);
  }
  RegCloseKey(key);
  if (result != ERROR_SUCCESS) return "<code " + std::to_string(result) + ">";
  return bytes.substr(0, size);
}

LONG Store(const std::string& keyPath, const char* name, const std::string& bytes,
           DWORD type = REG_BINARY)
{
  HKEY key = nullptr;
  LONG result = RegCreateKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                nullptr, &key, nullptr);
  if (result != ERROR_SUCCESS) return result;
  result = RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                          static_cast<DWORD>(bytes.size()));
  RegCloseKey(key);
  return result;
}

// Runs the registry tool, a program of its own, on the same store.
TProcessResult RunTool(const std::string& storeFolder, const std::vector<std::string>& arguments)
{
  TProcessOptions options;
  options.Environment.push_back({"EXTRACTPANEL_REGISTRY_DIR", storeFolder});
  return StartAndWait(BuildProgram("registrytool"), arguments, options);
}

class TVariable
{
public:
  TVariable(const char* name, const char* value) : m_Name(name)
  {
    const char* old = getenv(name);
    m_Had = old != nullptr;
    if (old) m_Old = old;
    if (value) setenv(name, value, 1); else unsetenv(name);
  }
  ~TVariable()
  {
    if (m_Had) setenv(m_Name.c_str(), m_Old.c_str(), 1); else unsetenv(m_Name.c_str());
  }

private:
  std::string m_Name;
  std::string m_Old;
  bool m_Had = false;
};

}  // namespace

class RegistryStore : public ::testing::Test
{
protected:
  void TearDown() override { ResetFaults(); }

  std::string StoreFile() const { return scratch.StoreFolder() + "/current_user.store"; }
  std::string Key(const std::string& sub = "") const
  {
    return sub.empty() ? scratch.KeyPath() : scratch.KeyPath() + "\\" + sub;
  }

  TRegistryScratch scratch;
};

TEST_F(RegistryStore, FolderComesFromTheVariableElseTheConfigFolders)
{
  fs::path root = scratch.StoreFolder();
  std::string key = "Software\\Where";
  {
    TVariable direct("EXTRACTPANEL_REGISTRY_DIR", (root / "direct").c_str());
    ASSERT_EQ(ERROR_SUCCESS, Store(key, "v", "1"));
    EXPECT_TRUE(fs::exists(root / "direct" / "current_user.store"));
  }
  {
    TVariable direct("EXTRACTPANEL_REGISTRY_DIR", "");
    TVariable config("XDG_CONFIG_HOME", (root / "xdg").c_str());
    ASSERT_EQ(ERROR_SUCCESS, Store(key, "v", "2"));
    EXPECT_TRUE(fs::exists(root / "xdg" / "extractpanel" / "registry" / "current_user.store"));
  }
  {
    TVariable direct("EXTRACTPANEL_REGISTRY_DIR", nullptr);
    TVariable config("XDG_CONFIG_HOME", "relative/is/ignored");
    TVariable home("HOME", (root / "home").c_str());
    ASSERT_EQ(ERROR_SUCCESS, Store(key, "v", "3"));
    EXPECT_TRUE(fs::exists(root / "home" / ".config" / "extractpanel" / "registry" / "current_user.store"));
    EXPECT_FALSE(fs::exists("relative"));
    EXPECT_EQ("3", Query(key, "v"));
  }
  // Each folder is a store of its own.
  TVariable direct("EXTRACTPANEL_REGISTRY_DIR", (root / "direct").c_str());
  EXPECT_EQ("1", Query(key, "v"));
}

TEST_F(RegistryStore, EachRootHasAStoreOfItsOwn)
{
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CLASSES_ROOT, ".7xe", 0, nullptr, 0, KEY_ALL_ACCESS,
                                           nullptr, &key, nullptr));
  ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, nullptr, 0, REG_SZ,
                                          reinterpret_cast<const BYTE*>("7xefile"), 8));
  RegCloseKey(key);
  EXPECT_TRUE(fs::exists(scratch.StoreFolder() + "/classes_root.store"));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExA(HKEY_CURRENT_USER, ".7xe", 0, KEY_READ, &key));
}

TEST_F(RegistryStore, TheFileFollowsTheDocumentedFormat)
{
  WriteWholeFile(StoreFile(), std::string(kHeader) +
                             "K 8:Software\n"
                             "K 16:Software\\Written\n"
                             "V 6:UserID 1 4:61620063\n"
                             "V 0: 1 8:3778656669 6c6500\n");
  // A blank inside the hex digits is a fault: the whole file reads as absent.
  EXPECT_EQ("<code 2>", Query("Software\\Written", "UserID"));

  WriteWholeFile(StoreFile(), std::string(kHeader) +
                             "K 8:Software\n"
                             "K 16:Software\\Written\n"
                             "V 6:UserID 1 4:61620063\n"
                             "V 0: 1 8:377866696c6500\n"
                             "V 7:Name\\ x 3 0:\n");
  EXPECT_EQ("<code 2>", Query("Software\\Written", "UserID"));  // 7 bytes of hex for 8

  WriteWholeFile(StoreFile(), std::string(kHeader) +
                             "K 8:Software\n"
                             "K 16:Software\\Written\n"
                             "V 6:UserID 1 4:61620063\n"
                             "V 0: 1 8:37786566696c6500\n"
                             "V 7:Name\\ x 3 0:\n");
  EXPECT_EQ(std::string("ab\0c", 4), Query("software\\WRITTEN", "userid"));
  EXPECT_EQ(std::string("7xefile\0", 8), Query("Software\\Written", nullptr));
  EXPECT_EQ("", Query("Software\\Written", "Name\\ x"));

  // A change writes the same shape back and keeps the case of every name.
  ASSERT_EQ(ERROR_SUCCESS, Store("SOFTWARE\\written", "USERID", "Z", REG_SZ));
  EXPECT_EQ(std::string(kHeader) +
                "K 8:Software\n"
                "K 16:Software\\Written\n"
                "V 6:UserID 1 1:5a\n"
                "V 0: 1 8:37786566696c6500\n"
                "V 7:Name\\ x 3 0:\n",
            ReadWholeFile(StoreFile()));
}

TEST_F(RegistryStore, NewKeysAndValuesKeepTheCaseTheyWereCreatedWith)
{
  ASSERT_EQ(ERROR_SUCCESS, Store(Key("MixedCase\\Inner"), "ValueName", "x"));
  ASSERT_EQ(ERROR_SUCCESS, Store(Key("MIXEDCASE\\inner\\Added"), "Other", "y"));
  std::string content = ReadWholeFile(StoreFile());
  EXPECT_NE(std::string::npos, content.find("\\MixedCase\\Inner\n"));
  EXPECT_NE(std::string::npos, content.find("\\MixedCase\\Inner\\Added\n"));
  EXPECT_NE(std::string::npos, content.find(":ValueName "));
  EXPECT_EQ(std::string::npos, content.find("MIXEDCASE"));
  EXPECT_EQ(std::string::npos, content.find("inner"));
}

TEST_F(RegistryStore, ValuesWrittenByOneProcessAreReadByAnother)
{
  std::string key = Key("Shared");
  TProcessResult writer = RunTool(scratch.StoreFolder(), {"set", key, "FromChild", "child"});
  ASSERT_TRUE(writer.Started);
  EXPECT_EQ(0, writer.ExitStatus) << writer.Output;
  EXPECT_EQ("child", Query(key, "FromChild"));

  ASSERT_EQ(ERROR_SUCCESS, Store(key, "FromParent", "parent"));
  TProcessResult reader = RunTool(scratch.StoreFolder(), {"get", key, "FROMPARENT"});
  EXPECT_EQ(0, reader.ExitStatus);
  EXPECT_EQ("parent", reader.Output);
}

TEST_F(RegistryStore, ConcurrentWritersLoseNothing)
{
  const int writers = 6;
  const int valuesEach = 15;
  std::string key = Key("Busy");
  ASSERT_EQ(ERROR_SUCCESS, Store(key, "Seed", "0"));
  std::vector<TProcessResult> results(writers);
  std::vector<std::thread> threads;
  for (int w = 0; w < writers; ++w) {
    threads.emplace_back([&, w] {
      results[w] = RunTool(scratch.StoreFolder(),
                           {"fill", key, "w" + std::to_string(w) + "v", std::to_string(valuesEach)});
    });
  }
  for (auto& thread : threads) thread.join();
  for (const auto& result : results) EXPECT_EQ(0, result.ExitStatus) << result.Output;
  for (int w = 0; w < writers; ++w) {
    for (int i = 0; i < valuesEach; ++i) {
      std::string name = "w" + std::to_string(w) + "v" + std::to_string(i);
      EXPECT_EQ(name, Query(key, name.c_str()));
    }
  }
  EXPECT_EQ("0", Query(key, "Seed"));
}

TEST_F(RegistryStore, ReadersNeverSeeAPartlyWrittenStore)
{
  std::string key = Key("Churn");
  const size_t size = 40000;
  ASSERT_EQ(ERROR_SUCCESS, Store(key, "Big", std::string(size, 'a')));
  TProcessResult churn;
  std::thread writer([&] {
    churn = RunTool(scratch.StoreFolder(), {"churn", key, "Big", "40", std::to_string(size)});
  });
  int torn = 0;
  std::string firstTorn;
  for (int read = 0; read < 300; ++read) {
    std::string value = Query(key, "Big");
    if (value == std::string(size, 'a') || value == std::string(size, 'b')) continue;
    if (torn++ == 0) firstTorn = value.substr(0, 20);
  }
  writer.join();
  EXPECT_EQ(0, churn.ExitStatus) << churn.Output;
  EXPECT_EQ(0, torn) << firstTorn;
}

TEST_F(RegistryStore, ReplacementIsAtomicAndLeavesNoTemporaryFile)
{
  ASSERT_EQ(ERROR_SUCCESS, Store(Key(), "Old", "old value"));
  std::string before = ReadWholeFile(StoreFile());
  // A reader that opened the old file keeps reading the old file whole.
  int oldFile = open(StoreFile().c_str(), O_RDONLY);
  ASSERT_GE(oldFile, 0);
  ASSERT_EQ(ERROR_SUCCESS, Store(Key(), "New", std::string(5000, 'n')));
  std::string seen(before.size() + 10, '\0');
  ssize_t count = pread(oldFile, &seen[0], seen.size(), 0);
  close(oldFile);
  ASSERT_GE(count, 0);
  EXPECT_EQ(before, seen.substr(0, static_cast<size_t>(count)));
  EXPECT_NE(before, ReadWholeFile(StoreFile()));
  EXPECT_EQ((std::set<std::string>{"current_user.lock", "current_user.store"}),
            FolderEntries(scratch.StoreFolder()));
}

TEST_F(RegistryStore, DamagedOrForeignFilesReadAsAbsentAndAreSetAsideOnWrite)
{
  const std::string good = std::string(kHeader) + "K 4:Book\nV 1:v 3 2:6869\n";
  const std::vector<std::string> damaged = {
    "",                                                   // empty: an empty store
    std::string(kHeader, sizeof kHeader - 2),             // header without its line end
    "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Book]\r\n\"v\"=hex:68,69\r\n",
    "extractpanel-registry 2\nK 4:Book\nV 1:v 3 2:6869\n",  // another version
    std::string(kHeader) + "V 1:v 3 2:6869\nK 4:Book\n",    // value before any key
    std::string(kHeader) + "K 4:Book\nV 1:v 3 2:6G69\n",    // not a hex digit
    std::string(kHeader) + "K 4:Book\nV 1:v 3 2:6869",      // no final line end
    std::string(kHeader) + "K 4294967295:Book\n",           // a count far past the end
    std::string(kHeader) + "K 99999999999:Book\n",          // more than ten digits
    std::string(kHeader) + std::string("K 4:Bo\0k\n", 9),  // a NUL in a name
    std::string(kHeader) + "K 5:\\Book\n",                  // a leading backslash
    std::string(kHeader) + "K 10:Book\\\\Page\n",           // an empty name in the path
    std::string(kHeader) + "K 4:Book\nV 1:v 3 -2:6869\n",   // a sign
    std::string(kHeader) + "K 4:Book\nV 1:v 3 4294967295:68\n",
    std::string(kHeader) + "X 4:Book\n",
    std::string(1000, '\xff'),
  };
  for (size_t i = 0; i < damaged.size(); ++i) {
    WriteWholeFile(StoreFile(), good);
    ASSERT_EQ("hi", Query("Book", "v"));
    WriteWholeFile(StoreFile(), damaged[i]);
    EXPECT_EQ("<code 2>", Query("Book", "v")) << "case " << i;
    EXPECT_EQ(ERROR_SUCCESS, Store("Book", "w", "new")) << "case " << i;
    EXPECT_EQ("new", Query("Book", "w")) << "case " << i;
    EXPECT_EQ("<code 2>", Query("Book", "v")) << "case " << i;
    if (!damaged[i].empty()) {
      EXPECT_EQ(damaged[i], ReadWholeFile(StoreFile() + ".damaged")) << "case " << i;
    }
    fs::remove(StoreFile() + ".damaged");
  }
}

TEST_F(RegistryStore, AFolderInPlaceOfTheFileIsSetAside)
{
  fs::remove(StoreFile());
  fs::create_directories(StoreFile() + "/inside");
  EXPECT_EQ("<code 2>", Query(Key(), "v"));
  EXPECT_EQ(ERROR_SUCCESS, Store("Book", "v", "x"));
  EXPECT_EQ("x", Query("Book", "v"));
  EXPECT_TRUE(fs::is_directory(StoreFile() + ".damaged/inside"));
}

TEST_F(RegistryStore, ACutShortFileNeverGivesAPartOfAValue)
{
  ASSERT_EQ(ERROR_SUCCESS, Store("Book", "First", "first value"));
  ASSERT_EQ(ERROR_SUCCESS, Store("Book\\Page", "Second", std::string("\0\1\2\3", 4)));
  const std::string whole = ReadWholeFile(StoreFile());
  for (size_t length = 0; length < whole.size(); ++length) {
    WriteWholeFile(StoreFile(), whole.substr(0, length));
    std::string first = Query("Book", "First");
    std::string second = Query("Book\\Page", "Second");
    EXPECT_TRUE(first == "first value" || first == "<code 2>") << length << ": " << first;
    EXPECT_TRUE(second == std::string("\0\1\2\3", 4) || second == "<code 2>") << length;
  }
}

TEST_F(RegistryStore, RandomDamageNeverCrashes)
{
  ASSERT_EQ(ERROR_SUCCESS, Store("Book", "Text", "some text", REG_SZ));
  ASSERT_EQ(ERROR_SUCCESS, Store("Book\\Deeper", "Number", std::string("\4\0\0\0", 4), REG_DWORD));
  const std::string whole = ReadWholeFile(StoreFile());
  std::mt19937 random(20261208);
  const char interesting[] = "0123456789:\\ \nKV\0\xff";
  for (int round = 0; round < 600; ++round) {
    std::string mutated = whole;
    int edits = 1 + static_cast<int>(random() % 4);
    for (int e = 0; e < edits; ++e) {
      size_t at = random() % mutated.size();
      switch (random() % 3) {
      case 0: mutated[at] = interesting[random() % (sizeof interesting - 1)]; break;
      case 1: mutated.erase(at, 1 + random() % 8); break;
      default: mutated.insert(at, 1, static_cast<char>(random())); break;
      }
      if (mutated.empty()) mutated = "K";
    }
    WriteWholeFile(StoreFile(), mutated);
    HKEY key = nullptr;
    LONG opened = RegOpenKeyExA(HKEY_CURRENT_USER, "Book", 0, KEY_READ, &key);
    ASSERT_TRUE(opened == ERROR_SUCCESS || opened == ERROR_FILE_NOT_FOUND) << opened;
    if (opened != ERROR_SUCCESS) continue;
    unsigned char buffer[64];
    DWORD size = sizeof buffer;
    LONG read = RegQueryValueExA(key, "Text", nullptr, nullptr, buffer, &size);
    EXPECT_TRUE(read == ERROR_SUCCESS || read == ERROR_FILE_NOT_FOUND || read == ERROR_MORE_DATA);
    if (read == ERROR_SUCCESS) {
      EXPECT_LE(size, static_cast<DWORD>(sizeof buffer));
    }
    RegCloseKey(key);
  }
}

TEST_F(RegistryStore, TooSmallABufferIsLeftUntouched)
{
  ASSERT_EQ(ERROR_SUCCESS, Store(Key(), "Data", std::string(16, 'd')));
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, Key().c_str(), 0, KEY_READ, &key));
  std::string buffer(8, 'x');
  DWORD size = 8;
  EXPECT_EQ(ERROR_MORE_DATA, RegQueryValueExA(key, "Data", nullptr, nullptr,
                                              reinterpret_cast<BYTE*>(&buffer[0]), &size));
  EXPECT_EQ(std::string(8, 'x'), buffer);
  RegCloseKey(key);
}

TEST_F(RegistryStore, ArmedFaultsRefuseWithAccessDeniedAndChangeNothing)
{
  ASSERT_EQ(ERROR_SUCCESS, Store(Key(), "Kept", "before"));
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, Key().c_str(), 0, KEY_ALL_ACCESS, &key));

  ArmFault(FAULT_REG_CREATE_KEY, 1, 1);
  HKEY sub = nullptr;
  EXPECT_EQ(ERROR_ACCESS_DENIED, RegCreateKeyExA(key, "Refused", 0, nullptr, 0, KEY_ALL_ACCESS,
                                                 nullptr, &sub, nullptr));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExA(key, "Refused", 0, KEY_READ, &sub));
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(key, "Refused", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                           &sub, nullptr));
  RegCloseKey(sub);

  ArmFault(FAULT_REG_SET_VALUE, 2, 1);
  EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(key, "First", 0, REG_BINARY,
                                          reinterpret_cast<const BYTE*>("1"), 1));
  EXPECT_EQ(ERROR_ACCESS_DENIED, RegSetValueExA(key, "Kept", 0, REG_BINARY,
                                                reinterpret_cast<const BYTE*>("after"), 5));
  EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(key, "Third", 0, REG_BINARY,
                                          reinterpret_cast<const BYTE*>("3"), 1));
  RegCloseKey(key);
  EXPECT_EQ("before", Query(Key(), "Kept"));
  EXPECT_EQ("1", Query(Key(), "First"));
  EXPECT_EQ("3", Query(Key(), "Third"));
}

TEST_F(RegistryStore, AFolderThatCannotBeMadeRefusesWritesAndReadsAsEmpty)
{
  WriteWholeFile(scratch.StoreFolder() + "/plain-file", "not a folder");
  TVariable direct("EXTRACTPANEL_REGISTRY_DIR", (scratch.StoreFolder() + "/plain-file/registry").c_str());
  HKEY key = nullptr;
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &key));
  LONG result = RegCreateKeyExA(HKEY_CURRENT_USER, "Software", 0, nullptr, 0, KEY_ALL_ACCESS,
                                nullptr, &key, nullptr);
  EXPECT_NE(ERROR_SUCCESS, result);
  EXPECT_EQ(nullptr, key);
  EXPECT_NE(ERROR_SUCCESS, RegSetValueExA(HKEY_CURRENT_USER, "v", 0, REG_BINARY,
                                          reinterpret_cast<const BYTE*>("1"), 1));
}

TEST_F(RegistryStore, TheRootKeyItselfHoldsValues)
{
  ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(HKEY_CURRENT_USER, "AtRoot", 0, REG_BINARY,
                                          reinterpret_cast<const BYTE*>("r"), 1));
  ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(HKEY_CURRENT_USER, "AtRoot", 0, REG_BINARY,
                                          reinterpret_cast<const BYTE*>("s"), 1));
  DWORD size = 0;
  EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(HKEY_CURRENT_USER, "ATROOT", nullptr, nullptr, nullptr, &size));
  EXPECT_EQ(1u, size);
  EXPECT_EQ(ERROR_SUCCESS, RegDeleteValueA(HKEY_CURRENT_USER, "AtRoot"));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegDeleteValueA(HKEY_CURRENT_USER, "AtRoot"));
  // The scratch key is untouched by all this.
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, Key().c_str(), 0, KEY_READ, &key));
  RegCloseKey(key);
}

TEST_F(RegistryStore, KeyNamesLongerThanWindowsAllowsAreInvalidParameters)
{
  HKEY key = nullptr;
  std::string name(257, 'n');
  EXPECT_EQ(ERROR_INVALID_PARAMETER, RegCreateKeyExA(HKEY_CURRENT_USER, name.c_str(), 0, nullptr, 0,
                                                     KEY_ALL_ACCESS, nullptr, &key, nullptr));
  EXPECT_EQ(ERROR_INVALID_PARAMETER, RegOpenKeyExA(HKEY_CURRENT_USER, name.c_str(), 0, KEY_READ, &key));
  EXPECT_FALSE(fs::exists(StoreFile()) && ReadWholeFile(StoreFile()).find(name) != std::string::npos);
}
