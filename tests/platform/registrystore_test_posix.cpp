// The POSIX registry store itself: where it lives, what it leaves on disk,
// how it stands up to other processes, damaged files and failing calls.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "faults.h"
#include "filecontent.h"
#include "platform.h"
#include "process.h"
#include "scopedenv.h"
#include "testregistry.h"

namespace fs = std::filesystem;

namespace {

const std::string HEADER = "extractpanel-registry 1\n";

// The value's bytes, or "<code N>".
std::string Query(const std::string& keyPath, const char* name)
{
  HKEY key = nullptr;
  LONG result = RegOpenKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_READ, &key);
  std::string bytes(100000, '\0');
  DWORD size = static_cast<DWORD>(bytes.size());
  if (result == 0)
    result =
        RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&bytes[0]), &size);
  if (key) RegCloseKey(key);
  return result == 0 ? bytes.substr(0, size) : "<code " + std::to_string(result) + ">";
}

LONG Store(const std::string& keyPath, const char* name, const std::string& bytes,
           DWORD type = REG_BINARY)
{
  HKEY key = nullptr;
  LONG result = RegCreateKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                nullptr, &key, nullptr);
  if (result != 0) return result;
  result = RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                          static_cast<DWORD>(bytes.size()));
  RegCloseKey(key);
  return result;
}

}  // namespace

class RegistryStore : public ::testing::Test
{
protected:
  void TearDown() override { ResetFaults(); }

  std::string StoreFile() const { return scratch.StoreFolder() + "/current_user.store"; }
  TProcessResult RunTool(const std::vector<std::string>& arguments) const
  {
    TProcessOptions options;
    options.Environment.push_back({"EXTRACTPANEL_REGISTRY_DIR", scratch.StoreFolder()});
    return StartAndWait(BuildProgram("registrytool"), arguments, options);
  }

  TRegistryScratch scratch;
};

TEST_F(RegistryStore, FolderComesFromTheVariableElseTheConfigFolders)
{
  fs::path root = scratch.StoreFolder();
  {
    TScopedEnvironment direct("EXTRACTPANEL_REGISTRY_DIR", (root / "direct").string());
    ASSERT_EQ(0, Store("Where", "v", "1"));
    EXPECT_TRUE(fs::exists(root / "direct" / "current_user.store"));
  }
  {
    TScopedEnvironment direct("EXTRACTPANEL_REGISTRY_DIR", "");
    TScopedEnvironment config("XDG_CONFIG_HOME", (root / "xdg").string());
    ASSERT_EQ(0, Store("Where", "v", "2"));
    EXPECT_TRUE(fs::exists(root / "xdg/extractpanel/registry/current_user.store"));
  }
  {
    TScopedEnvironment direct("EXTRACTPANEL_REGISTRY_DIR");
    TScopedEnvironment config("XDG_CONFIG_HOME", "relative/is/ignored");
    TScopedEnvironment home("HOME", (root / "home").string());
    ASSERT_EQ(0, Store("Where", "v", "3"));
    EXPECT_TRUE(fs::exists(root / "home/.config/extractpanel/registry/current_user.store"));
  }
  TScopedEnvironment direct("EXTRACTPANEL_REGISTRY_DIR", (root / "direct").string());
  EXPECT_EQ("1", Query("Where", "v"));
}

TEST_F(RegistryStore, TheFileFollowsTheDocumentedFormat)
{
  std::string body =
      "K 8:Software\nK 16:Software\\Written\nV 6:UserID 1 4:61620063\n"
      "V 0: 1 8:37786566696c6500\n";
  ASSERT_TRUE(WriteWholeFile(StoreFile(), HEADER + body));
  EXPECT_EQ(std::string("ab\0c", 4), Query("software\\WRITTEN", "userid"));
  EXPECT_EQ(std::string("7xefile\0", 8), Query("Software\\Written", nullptr));

  // A change writes the same shape back, keeping the case of every name.
  ASSERT_EQ(0, Store("SOFTWARE\\written", "USERID", "Z", REG_SZ));
  ASSERT_EQ(0, Store("SOFTWARE\\written\\New", "All", std::string("\0\x7f\x80\xff", 4)));
  EXPECT_EQ(HEADER +
                "K 8:Software\nK 16:Software\\Written\nV 6:UserID 1 1:5a\n"
                "V 0: 1 8:37786566696c6500\nK 20:Software\\Written\\New\nV 3:All 3 4:007f80ff\n",
            ReadWholeFile(StoreFile()));
  // The other root has a file of its own.
  HKEY key = nullptr;
  ASSERT_EQ(0, RegCreateKeyExA(HKEY_CLASSES_ROOT, ".7xe", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                               &key, nullptr));
  RegCloseKey(key);
  EXPECT_EQ(HEADER + "K 4:.7xe\n", ReadWholeFile(scratch.StoreFolder() + "/classes_root.store"));
}

TEST_F(RegistryStore, OtherProcessesShareTheStoreAndLoseNothing)
{
  TProcessResult writer = RunTool({"fill", "Shared", "FromChild", "1"});
  ASSERT_TRUE(writer.Started);
  EXPECT_EQ(0, writer.ExitStatus) << writer.Output;
  EXPECT_EQ("FromChild0", Query("Shared", "FromChild0"));

  // Six writers at once, each rewriting the store fifteen times.
  std::vector<TProcessResult> results(6);
  std::vector<std::thread> threads;
  for (size_t w = 0; w < results.size(); ++w) {
    threads.emplace_back([&, w] {
      results[w] = RunTool({"fill", "Busy", "w" + std::to_string(w) + "v", "15"});
    });
  }
  for (auto& thread : threads) thread.join();
  for (size_t w = 0; w < results.size(); ++w) {
    EXPECT_EQ(0, results[w].ExitStatus) << results[w].Output;
    for (int i = 0; i < 15; ++i) {
      std::string name = "w" + std::to_string(w) + "v" + std::to_string(i);
      EXPECT_EQ(name, Query("Busy", name.c_str()));
    }
  }
}

TEST_F(RegistryStore, ReadersNeverSeeAPartlyWrittenStore)
{
  const size_t size = 20000;
  ASSERT_EQ(0, Store("Churn", "Big", std::string(size, 'a')));
  TProcessResult churn;
  std::thread writer([&] {
    churn = RunTool({"churn", "Churn", "Big", "30", std::to_string(size)});
  });
  int torn = 0;
  for (int read = 0; read < 200; ++read) {
    std::string value = Query("Churn", "Big");
    if (value != std::string(size, 'a') && value != std::string(size, 'b')) ++torn;
  }
  writer.join();
  EXPECT_EQ(0, churn.ExitStatus) << churn.Output;
  EXPECT_EQ(0, torn);
}

TEST_F(RegistryStore, ReplacementIsAtomicAndLeavesNoTemporaryFile)
{
  ASSERT_EQ(0, Store("Book", "Old", "old value"));
  std::string before = ReadWholeFile(StoreFile());
  // A reader that opened the old file goes on reading the old file whole.
  int oldFile = open(StoreFile().c_str(), O_RDONLY);
  ASSERT_GE(oldFile, 0);
  ASSERT_EQ(0, Store("Book", "New", std::string(5000, 'n')));
  std::string seen(before.size() + 10, '\0');
  ssize_t count = pread(oldFile, &seen[0], seen.size(), 0);
  close(oldFile);
  EXPECT_EQ(before, seen.substr(0, static_cast<size_t>(count < 0 ? 0 : count)));
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(scratch.StoreFolder()))
    names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  EXPECT_EQ((std::vector<std::string>{"current_user.lock", "current_user.store"}), names);
}

TEST_F(RegistryStore, DamagedOrForeignFilesReadAsAbsentAndAreSetAsideOnWrite)
{
  const std::string good = HEADER + "K 4:Book\nV 1:v 3 2:6869\n";
  const std::vector<std::string> damaged = {
      HEADER.substr(0, HEADER.size() - 1) + "K 4:Book\nV 1:v 3 2:6869\n",
      "Windows Registry Editor Version "
      "5.00\r\n\r\n[HKEY_CURRENT_USER\\Book]\r\n\"v\"=hex:68,69\r\n",
      "extractpanel-registry 2\nK 4:Book\nV 1:v 3 2:6869\n",
      HEADER + "V 1:v 3 2:6869\nK 4:Book\n",  // a value before any key
      HEADER + "K 4:Book\nV 1:v 3 2:6G69\n",  // not a hex digit
      HEADER + "K 4:Book\nV 1:v 3 2:68 69\n",  // a blank among them
      HEADER + "K 4:Book\nV 1:v 3 2:6869",  // no final line end
      HEADER + "K 4294967295:Book\n",  // a count far past the end
      HEADER + "K 99999999999:Book\n",  // more than ten digits
      HEADER + std::string("K 4:Bo\0k\n", 9),  // a NUL in a name
      HEADER + "K 5:\\Book\n",  // a leading backslash
      HEADER + "K 10:Book\\\\Page\n",  // an empty name in a path
      HEADER + "K 4:Book\nV 1:v 3 4294967295:68\n",
      std::string(1000, '\xff'),
  };
  for (size_t i = 0; i < damaged.size(); ++i) {
    ASSERT_TRUE(WriteWholeFile(StoreFile(), good));
    ASSERT_EQ("hi", Query("Book", "v"));
    ASSERT_TRUE(WriteWholeFile(StoreFile(), damaged[i]));
    EXPECT_EQ("<code 2>", Query("Book", "v")) << "case " << i;
    EXPECT_EQ(0, Store("Book", "w", "new")) << "case " << i;
    EXPECT_EQ("new", Query("Book", "w")) << "case " << i;
    EXPECT_EQ(damaged[i], ReadWholeFile(StoreFile() + ".damaged")) << "case " << i;
  }
  // A folder in the file's place goes aside the same way.
  fs::remove(StoreFile());
  fs::remove(StoreFile() + ".damaged");
  fs::create_directories(StoreFile() + "/inside");
  EXPECT_EQ("<code 2>", Query("Book", "w"));
  EXPECT_EQ(0, Store("Book", "v", "x"));
  EXPECT_EQ("x", Query("Book", "v"));
}

TEST_F(RegistryStore, CutShortOrRandomlyDamagedFilesNeverGiveAPartOfAValue)
{
  ASSERT_EQ(0, Store("Book", "First", "first value"));
  ASSERT_EQ(0, Store("Book\\Page", "Second", std::string("\0\1\2\3", 4)));
  const std::string whole = ReadWholeFile(StoreFile());
  for (size_t length = 0; length < whole.size(); ++length) {
    ASSERT_TRUE(WriteWholeFile(StoreFile(), whole.substr(0, length)));
    std::string first = Query("Book", "First");
    std::string second = Query("Book\\Page", "Second");
    EXPECT_TRUE(first == "first value" || first == "<code 2>") << length << ": " << first;
    EXPECT_TRUE(second == std::string("\0\1\2\3", 4) || second == "<code 2>") << length;
  }
  std::mt19937 random(20261208);
  const char interesting[] = "0123456789:\\ \nKV\0\xff";
  for (int round = 0; round < 600; ++round) {
    std::string mutated = whole;
    for (int edits = 1 + static_cast<int>(random() % 4); edits > 0 && !mutated.empty(); --edits) {
      size_t at = random() % mutated.size();
      switch (random() % 3) {
        case 0: mutated[at] = interesting[random() % (sizeof interesting - 1)]; break;
        case 1: mutated.erase(at, 1 + random() % 8); break;
        default: mutated.insert(at, 1, static_cast<char>(random())); break;
      }
    }
    ASSERT_TRUE(WriteWholeFile(StoreFile(), mutated));
    HKEY key = nullptr;
    LONG opened = RegOpenKeyExA(HKEY_CURRENT_USER, "Book", 0, KEY_READ, &key);
    EXPECT_TRUE(opened == 0 || opened == ERROR_FILE_NOT_FOUND) << opened;
    unsigned char buffer[8];
    DWORD size = sizeof buffer;
    if (key) RegQueryValueExA(key, "First", nullptr, nullptr, buffer, &size);
    if (key) RegCloseKey(key);
    // Reading never touches the file, damaged or not.
    EXPECT_EQ(mutated, ReadWholeFile(StoreFile()));
  }
}

TEST_F(RegistryStore, ArmedFaultsAnswerAccessDeniedAndChangeNothing)
{
  ASSERT_EQ(0, Store("Book", "Kept", "before"));
  ArmFault(FAULT_REG_CREATE_KEY, 1, 1);
  EXPECT_EQ(ERROR_ACCESS_DENIED, Store("Book\\Refused", "v", "x"));
  EXPECT_EQ("<code 2>", Query("Book\\Refused", "v"));
  EXPECT_EQ(0, Store("Book\\Refused", "v", "x"));

  ArmFault(FAULT_REG_SET_VALUE, 2, 1);
  EXPECT_EQ(0, Store("Book", "First", "1"));
  EXPECT_EQ(ERROR_ACCESS_DENIED, Store("Book", "Kept", "after"));
  EXPECT_EQ(0, Store("Book", "Third", "3"));
  EXPECT_EQ("before", Query("Book", "Kept"));
  EXPECT_EQ("3", Query("Book", "Third"));

  // The program's allocations failing leave the registry as Windows has it.
  ArmFault(FAULT_ALLOCATION, 1, 1000000);
  EXPECT_EQ("before", Query("Book", "Kept"));
  EXPECT_EQ(0, Store("Book", "Starved", "s"));
  ResetFaults();
  EXPECT_EQ("s", Query("Book", "Starved"));
}

TEST_F(RegistryStore, AFolderThatCannotBeMadeRefusesWritesAndReadsAsEmpty)
{
  ASSERT_TRUE(WriteWholeFile(scratch.StoreFolder() + "/plain-file", "not a folder"));
  TScopedEnvironment direct("EXTRACTPANEL_REGISTRY_DIR",
                            scratch.StoreFolder() + "/plain-file/registry");
  EXPECT_EQ("<code 2>", Query("Software", "v"));
  EXPECT_NE(0, Store("Software", "v", "1"));
  EXPECT_NE(0, RegSetValueExA(HKEY_CURRENT_USER, "v", 0, REG_BINARY,
                              reinterpret_cast<const BYTE*>("1"), 1));
}

// As on Windows, HKEY_CLASSES_ROOT shows HKEY_CURRENT_USER\Software\Classes
// over the machine's classes.
TEST_F(RegistryStore, ClassesRootShowsTheUsersClassesFirst)
{
  auto set = [](HKEY root, const char* path, const char* text) {
    HKEY key = nullptr;
    LONG result =
        RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (result == 0)
      result = RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                              static_cast<DWORD>(strlen(text) + 1));
    if (key) RegCloseKey(key);
    return result;
  };
  auto get = [](const char* path) {
    HKEY key = nullptr;
    char text[32] = "";
    DWORD size = sizeof text;
    LONG result = RegOpenKeyExA(HKEY_CLASSES_ROOT, path, 0, KEY_READ, &key);
    if (result == 0)
      result =
          RegQueryValueExA(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size);
    if (key) RegCloseKey(key);
    return result == 0 ? std::string(text) : "<code " + std::to_string(result) + ">";
  };
  ASSERT_EQ(0, set(HKEY_CLASSES_ROOT, ".both", "machine"));
  ASSERT_EQ(0, set(HKEY_CLASSES_ROOT, ".machine", "machine"));
  ASSERT_EQ(0, set(HKEY_CURRENT_USER, "Software\\Classes\\.BOTH", "user"));
  ASSERT_EQ(0, set(HKEY_CURRENT_USER, "Software\\Classes\\.user\\shell", "user shell"));
  EXPECT_EQ("user", get(".both"));
  EXPECT_EQ("machine", get(".machine"));
  EXPECT_EQ("user shell", get(".user\\shell"));
  EXPECT_EQ("<code 2>", get(".neither"));
  EXPECT_EQ("<code 2>", get("Software\\Classes\\.both"));
}
