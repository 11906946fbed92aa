// The routines behind the Windows exe's C library names, each held to what
// the C library promises: one row a case, each row run on a fresh buffer.
#include <gtest/gtest.h>

#include <string>

#include "bytes.h"

namespace {

const char INITIAL[] = "abcdabcdxyz";

// The buffer after the row's call, then what the call answered.
struct TOutcome
{
  std::string buffer;
  long long nAnswer;
};

struct TRow
{
  const char* pName;
  long long (*pRun)(char* pBuffer);  // may change the buffer; answers one number
  const char* pBuffer;
  long long nAnswer;
};

// A pointer answer as its offset into the buffer, -1 for null.
long long Offset(const void* pAnswer, const char* pBuffer)
{
  return pAnswer ? static_cast<const char*>(pAnswer) - pBuffer : -1;
}

// Only the sign of a comparison is promised.
long long Sign(int nValue) { return (nValue > 0) - (nValue < 0); }

TOutcome RunRow(const TRow& rRow)
{
  char aBuffer[sizeof INITIAL];
  for (size_t i = 0; i < sizeof INITIAL; ++i) aBuffer[i] = INITIAL[i];
  long long nAnswer = rRow.pRun(aBuffer);
  return {aBuffer, nAnswer};
}

const TRow kRows[] = {
    {"move apart", [](char* b) { return Offset(MoveBytes(b + 2, "xyz", 3), b); }, "abxyzbcdxyz", 2},
    {"move up over itself", [](char* b) { return Offset(MoveBytes(b + 2, b, 5), b); },
     "ababcdadxyz", 2},
    {"move down over itself", [](char* b) { return Offset(MoveBytes(b, b + 2, 5), b); },
     "cdabcbcdxyz", 0},
    {"move nothing", [](char* b) { return Offset(MoveBytes(b + 1, "q", 0), b); }, INITIAL, 1},
    {"fill", [](char* b) { return Offset(FillBytes(b + 1, 'z', 3), b); }, "azzzabcdxyz", 1},
    {"fill with the value's low byte", [](char* b) { return Offset(FillBytes(b, 0x141, 2), b); },
     "AAcdabcdxyz", 0},
    {"compare equal", [](char* b) { return Sign(CompareBytes(b, b + 4, 4)); }, INITIAL, 0},
    {"compare below", [](char* b) { return Sign(CompareBytes(b, b + 4, 5)); }, INITIAL, -1},
    {"compare above", [](char* b) { return Sign(CompareBytes(b + 1, b, 1)); }, INITIAL, 1},
    {"compare high bytes above low ones",
     [](char*) { return Sign(CompareBytes("\x80", "\x7f", 1)); }, INITIAL, 1},
    {"compare nothing", [](char* b) { return Sign(CompareBytes(b, b + 1, 0)); }, INITIAL, 0},
    {"length", [](char* b) { return (long long)TextLength(b); }, INITIAL, 11},
    {"length of empty", [](char* b) { return (long long)TextLength(b + 11); }, INITIAL, 0},
    {"length to the first nul", [](char*) { return (long long)TextLength("ab\0cd"); }, INITIAL, 2},
    {"length within a limit", [](char* b) { return (long long)TextLengthWithin(b, 4); }, INITIAL,
     4},
    {"length within a far limit", [](char* b) { return (long long)TextLengthWithin(b, 99); },
     INITIAL, 11},
    {"length within nothing", [](char* b) { return (long long)TextLengthWithin(b, 0); }, INITIAL,
     0},
    {"find the first of two", [](char* b) { return Offset(FindText(b, "bcd"), b); }, INITIAL, 1},
    {"find after a false start", [](char* b) { return Offset(FindText(b, "dx"), b); }, INITIAL, 7},
    {"find at the end", [](char* b) { return Offset(FindText(b, "yz"), b); }, INITIAL, 9},
    {"find what runs past the end", [](char* b) { return Offset(FindText(b, "xyzw"), b); }, INITIAL,
     -1},
    {"find what is not there", [](char* b) { return Offset(FindText(b, "abd"), b); }, INITIAL, -1},
    {"find nothing", [](char* b) { return Offset(FindText(b + 3, ""), b); }, INITIAL, 3},
    {"find in empty", [](char* b) { return Offset(FindText(b + 11, "a"), b); }, INITIAL, -1},
};

TEST(Bytes, EachRoutineDoesWhatItsCNamePromises)
{
  for (const TRow& row : kRows) {
    TOutcome outcome = RunRow(row);
    EXPECT_EQ(row.pBuffer, outcome.buffer) << row.pName;
    EXPECT_EQ(row.nAnswer, outcome.nAnswer) << row.pName;
  }
}

}  // namespace
