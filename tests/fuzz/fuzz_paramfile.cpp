// The parameters-file walk over the POSIX profile reader, on any file and
// with any one allocation made to fail: what reaches the callback must be
// what a direct read of that key gives, and the walk may stop early only
// for the reasons it has.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "faults.h"
#include "fuzzsandbox.h"
#include "paramfile.h"
#include "platform.h"

namespace {

const char SENTINEL[] = "not_found_error";

std::vector<std::tuple<std::string, std::string, std::string>> g_Visits;
size_t g_nStopAfter;  // 0: never stop

char Fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

bool BeginsWithSentinel(const std::string& text, size_t nAt = 0)
{
  if (text.size() - nAt < sizeof SENTINEL - 1) return false;
  for (size_t i = 0; i + 1 < sizeof SENTINEL; ++i)
    if (Fold(text[nAt + i]) != SENTINEL[i]) return false;
  return true;
}

bool HoldsSentinel(const std::string& text)
{
  for (size_t i = 0; i < text.size(); ++i)
    if (BeginsWithSentinel(text, i)) return true;
  return false;
}

int Keep(const char* pSection, const char* pKey, const char* pValue)
{
  FUZZ_CHECK(pSection && pKey && pValue);
  FUZZ_CHECK(strnlen(pSection, 4096) < 4096);
  g_Visits.emplace_back(pSection, pKey, pValue);
  return g_Visits.size() == g_nStopAfter ? 0 : 1;
}

std::string ReadDirectly(const std::string& path, const std::string& section,
                         const std::string& key, size_t nRoom)
{
  std::vector<char> buffer(nRoom + 2, '\x7f');
  DWORD nCount = GetPrivateProfileStringA(section.c_str(), key.c_str(), SENTINEL, buffer.data(),
                                          static_cast<DWORD>(buffer.size()), path.c_str());
  FUZZ_CHECK(nCount < buffer.size());
  FUZZ_CHECK(buffer[nCount] == 0);
  return std::string(buffer.data(), nCount);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
  FuzzedDataProvider input(pData, nSize);
  g_nStopAfter = input.ConsumeIntegralInRange<size_t>(0, 4);
  int nFailingAllocation = input.ConsumeIntegralInRange<int>(0, 24);  // 0: none
  std::string content = input.ConsumeRemainingBytesAsString();
  const std::string path = fuzz::SandboxFile("parameters.ini");
  if (!fuzz::WriteBytes(path, content)) return 0;

  g_Visits.clear();
  if (nFailingAllocation) ArmFault(FAULT_ALLOCATION, nFailingAllocation, 1);
  int nResult = ParseParametersFile(path.c_str(), Keep);
  ResetFaults();

  FUZZ_CHECK(nResult == 0 || nResult == 1);
  bool bStopped = g_nStopAfter != 0 && g_Visits.size() == g_nStopAfter;
  // Without a stop or a failed allocation, only a value that reads as the
  // sentinel ends the walk early.
  FUZZ_CHECK(nResult == 1 || bStopped || nFailingAllocation != 0 || HoldsSentinel(content));
  if (bStopped) FUZZ_CHECK(nResult == 0);
  for (const auto& visit : g_Visits) {
    const std::string& value = std::get<2>(visit);
    FUZZ_CHECK(!BeginsWithSentinel(value));
    FUZZ_CHECK(ReadDirectly(path, std::get<0>(visit), std::get<1>(visit), value.size()) == value);
  }
  return 0;
}
