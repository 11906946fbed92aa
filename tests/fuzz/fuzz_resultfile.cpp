// The result file on any content: ReadResultValue must answer as a direct
// read of the value says it should, never touching the caller's buffer
// unless it copies, and WriteResultValue must change that one value and
// nothing else (or, refused, nothing at all).
#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "faults.h"
#include "fuzzsandbox.h"
#include "platform.h"
#include "resultfile.h"

namespace {

const char SENTINEL[] = "not_found_error";
const char CANARY = '\x5a';

typedef std::map<std::pair<std::string, std::string>, std::string> TValues;

std::string Folded(std::string text)
{
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return text;
}

// A list or a value read whole: the buffer grows until nothing is cut.
std::string ReadWhole(const char* pSection, const char* pKey, const std::string& path)
{
  for (size_t nSize = 64;; nSize *= 4) {
    std::vector<char> buffer(nSize);
    DWORD nCount = GetPrivateProfileStringA(pSection, pKey, SENTINEL, buffer.data(),
                                            static_cast<DWORD>(nSize), path.c_str());
    size_t nCutAt = (pSection && pKey) ? nSize - 1 : nSize - 2;
    if (nCount < nCutAt) return std::string(buffer.data(), nCount);
  }
}

// All the names the count covers, empty ones too (the program's walk stops
// at an empty one; this check looks past it).
std::vector<std::string> Names(const std::string& list)
{
  std::vector<std::string> names;
  for (size_t at = 0; at < list.size();) {
    size_t end = list.find('\0', at);
    if (end == std::string::npos) end = list.size();
    names.push_back(list.substr(at, end - at));
    at = end + 1;
  }
  return names;
}

// Every value the reader finds, by its names without regard to case.
TValues AllValues(const std::string& path)
{
  TValues values;
  // The section list never answers the default: a section may well be
  // named like the sentinel.
  for (const std::string& section : Names(ReadWhole(nullptr, nullptr, path))) {
    std::string keys = ReadWhole(section.c_str(), nullptr, path);
    if (Folded(keys) == SENTINEL) continue;
    for (const std::string& key : Names(keys)) {
      auto slot = std::make_pair(Folded(section), Folded(key));
      if (!values.count(slot)) values[slot] = ReadWhole(section.c_str(), key.c_str(), path);
    }
  }
  return values;
}

// A value as the program writes one: "0", "3" or a folder path.
std::string ValueToWrite(FuzzedDataProvider& input)
{
  switch (input.ConsumeIntegralInRange<int>(0, 2)) {
    case 0: return "0";
    case 1: return "3";
  }
  static const char ALPHABET[] = "Cc:\\/._- 0aZ";
  std::string value;
  size_t nLength = input.ConsumeIntegralInRange<size_t>(1, 40);
  for (size_t i = 0; i < nLength; ++i)
    value += ALPHABET[input.ConsumeIntegralInRange<size_t>(0, sizeof ALPHABET - 2)];
  value[0] = value[value.size() - 1] = 'x';  // a reader trims blanks around a value
  return value;
}

std::string KeyToUse(FuzzedDataProvider& input)
{
  static const char* const KEYS[] = {"ExePath", "CustomPath", "ExitCode", "exitcode"};
  size_t nChoice = input.ConsumeIntegralInRange<size_t>(0, 4);
  if (nChoice < 4) return KEYS[nChoice];
  std::string key = input.ConsumeRandomLengthString(24);
  return key.substr(0, strlen(key.c_str()));
}

// Bytes shown with their control characters escaped.
std::string Dump(const std::string& bytes)
{
  std::string shown;
  for (unsigned char c : bytes) {
    char aEscape[8];
    if (c >= 0x20 && c < 0x7f) shown += static_cast<char>(c);
    else {
      std::snprintf(aEscape, sizeof aEscape, "\\x%02x", c);
      shown += aEscape;
    }
  }
  return shown;
}

void CheckRead(const std::string& path, const std::string& key, DWORD nCapacity)
{
  std::string expected = ReadWhole("ADRTP", key.c_str(), path);
  std::vector<char> out(nCapacity + 1, CANARY);
  DWORD nLength = nCapacity;
  int nResult = ReadResultValue(path.c_str(), key.c_str(), out.data(), &nLength);
  bool bUntouched = true;
  for (char c : out) bUntouched = bUntouched && c == CANARY;
  if (Folded(expected.substr(0, sizeof SENTINEL - 1)) == SENTINEL) {
    FUZZ_CHECK(nResult == READ_RESULT_MISSING);
    FUZZ_CHECK(nLength == nCapacity && bUntouched);
  } else if (expected.size() < nCapacity) {
    FUZZ_CHECK(nResult == READ_RESULT_COPIED);
    FUZZ_CHECK(nLength == nCapacity);
    FUZZ_CHECK(std::string(out.data()) == expected);
    FUZZ_CHECK(out[nCapacity] == CANARY);
  } else {
    FUZZ_CHECK(nResult == READ_RESULT_TOO_SMALL);
    FUZZ_CHECK(nLength == expected.size() + 256);
    FUZZ_CHECK(bUntouched);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
  FuzzedDataProvider input(pData, nSize);
  std::string readKey = KeyToUse(input);
  DWORD nCapacity = input.ConsumeIntegralInRange<DWORD>(0, 300);
  std::string value = ValueToWrite(input);
  bool bRefused = input.ConsumeBool();
  std::string content = input.ConsumeRemainingBytesAsString();
  const std::string path = fuzz::SandboxFile("run.rtp");
  if (!fuzz::WriteBytes(path, content)) return 0;

  CheckRead(path, readKey, nCapacity);

  TValues before = AllValues(path);
  if (bRefused) ArmFault(FAULT_PROFILE_WRITE, 1, 1);
  int nWritten = WriteResultValue(path.c_str(), "ExitCode", value.c_str());
  ResetFaults();
  if (bRefused || nWritten == 0) {
    FUZZ_CHECK(nWritten == 0 || !bRefused);
    FUZZ_CHECK(fuzz::ReadBytes(path) == content);
    return 0;
  }
  TValues expected = before;
  expected[std::make_pair(std::string("adrtp"), std::string("exitcode"))] = value;
  TValues after = AllValues(path);
  if (after != expected) {
    std::fprintf(stderr, "before the write:\n%s\nafter it:\n%s\n", Dump(content).c_str(),
                 Dump(fuzz::ReadBytes(path)).c_str());
    for (const auto& entry : after)
      std::fprintf(stderr, "[%s] %s = %s\n", Dump(entry.first.first).c_str(),
                   Dump(entry.first.second).c_str(), Dump(entry.second).c_str());
  }
  FUZZ_CHECK(after == expected);
  CheckRead(path, "ExitCode", nCapacity);
  return 0;
}
