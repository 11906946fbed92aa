// POSIX only: reading and writing the registry store's file format.
#include "registryformat.h"

#include <stdint.h>
#include <string.h>

namespace {

const char kHeader[] = "extractpanel-registry 1\n";
const size_t kHeaderSize = sizeof(kHeader) - 1;
const char kHexDigits[] = "0123456789abcdef";

int HexDigitValue(char c)
{
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool IsWellFormedPath(const char* pPath, size_t nPath)
{
  if (memchr(pPath, 0, nPath)) return false;
  if (nPath == 0) return true;
  if (pPath[0] == '\\' || pPath[nPath - 1] == '\\') return false;
  for (size_t i = 1; i < nPath; ++i) {
    if (pPath[i] == '\\' && pPath[i - 1] == '\\') return false;
  }
  return true;
}

bool AppendCount(TText& rOut, size_t nCount)
{
  char aDigits[24];
  size_t nAt = sizeof(aDigits);
  do {
    aDigits[--nAt] = static_cast<char>('0' + nCount % 10);
    nCount /= 10;
  } while (nCount != 0);
  return rOut.Append(aDigits + nAt, sizeof(aDigits) - nAt);
}

}  // namespace

TStoreReader::TStoreReader(const char* pData, size_t nSize)
  : m_pNext(pData), m_pEnd(pData + nSize), m_bHaveKey(false), m_bFailed(false)
{
  if (nSize == 0) return;
  if (nSize < kHeaderSize || memcmp(pData, kHeader, kHeaderSize) != 0) {
    Fail();
    return;
  }
  m_pNext += kHeaderSize;
}

bool TStoreReader::Fail()
{
  m_bFailed = true;
  m_pNext = m_pEnd;
  return false;
}

bool TStoreReader::ReadCount(size_t& rCount, char cEnd)
{
  uint64_t nValue = 0;
  int nDigits = 0;
  while (m_pNext < m_pEnd && *m_pNext >= '0' && *m_pNext <= '9') {
    if (++nDigits > 10) return false;
    nValue = nValue * 10 + static_cast<uint64_t>(*m_pNext++ - '0');
  }
  if (nDigits == 0 || nValue > 0xFFFFFFFFu) return false;
  if (m_pNext == m_pEnd || *m_pNext != cEnd) return false;
  ++m_pNext;
  rCount = static_cast<size_t>(nValue);
  return true;
}

bool TStoreReader::ReadKey(TStoreRecord& rRecord)
{
  size_t nName = 0;
  if (!ReadCount(nName, ':')) return false;
  if (nName >= static_cast<size_t>(m_pEnd - m_pNext)) return false;  // the name and '\n'
  rRecord.pName = m_pNext;
  rRecord.nName = nName;
  m_pNext += nName;
  if (*m_pNext++ != '\n') return false;
  return IsWellFormedPath(rRecord.pName, nName);
}

bool TStoreReader::ReadValue(TStoreRecord& rRecord)
{
  size_t nName = 0;
  if (!ReadCount(nName, ':')) return false;
  if (nName >= static_cast<size_t>(m_pEnd - m_pNext)) return false;  // the name and ' '
  rRecord.pName = m_pNext;
  rRecord.nName = nName;
  m_pNext += nName;
  if (*m_pNext++ != ' ' || memchr(rRecord.pName, 0, nName)) return false;
  size_t nType = 0;
  size_t nData = 0;
  if (!ReadCount(nType, ' ') || !ReadCount(nData, ':')) return false;
  size_t nLeft = static_cast<size_t>(m_pEnd - m_pNext);
  if (nData > nLeft / 2 || 2 * nData >= nLeft) return false;  // the digits and '\n'
  for (size_t i = 0; i < 2 * nData; ++i) {
    if (HexDigitValue(m_pNext[i]) < 0) return false;
  }
  rRecord.dwType = static_cast<DWORD>(nType);
  rRecord.pHex = m_pNext;
  rRecord.nData = nData;
  m_pNext += 2 * nData;
  return *m_pNext++ == '\n';
}

bool TStoreReader::Next(TStoreRecord& rRecord)
{
  if (m_pNext == m_pEnd) return false;
  memset(&rRecord, 0, sizeof(rRecord));
  rRecord.pRecord = m_pNext;
  if (m_pEnd - m_pNext < 2 || m_pNext[1] != ' ') return Fail();
  rRecord.cKind = m_pNext[0];
  m_pNext += 2;
  bool bRead = false;
  if (rRecord.cKind == 'K') bRead = ReadKey(rRecord);
  // A value before the first key belongs to nothing.
  else if (rRecord.cKind == 'V') bRead = m_bHaveKey && ReadValue(rRecord);
  if (!bRead) return Fail();
  m_bHaveKey = true;
  rRecord.nRecord = static_cast<size_t>(m_pNext - rRecord.pRecord);
  return true;
}

bool IsWellFormedStore(const char* pData, size_t nSize)
{
  TStoreReader reader(pData, nSize);
  TStoreRecord record;
  while (reader.Next(record)) {}
  return !reader.Failed();
}

void DecodeValueData(const TStoreRecord& rRecord, BYTE* pOut)
{
  for (size_t i = 0; i < rRecord.nData; ++i) {
    int nHigh = HexDigitValue(rRecord.pHex[2 * i]);
    int nLow = HexDigitValue(rRecord.pHex[2 * i + 1]);
    pOut[i] = static_cast<BYTE>(nHigh * 16 + nLow);
  }
}

bool AppendStoreHeader(TText& rOut) { return rOut.Append(kHeader, kHeaderSize); }

bool AppendKeyRecord(TText& rOut, const char* pPath, size_t nPath)
{
  return rOut.Append("K ", 2) && AppendCount(rOut, nPath) && rOut.Append(":", 1) &&
         rOut.Append(pPath, nPath) && rOut.Append("\n", 1);
}

bool AppendValueRecord(TText& rOut, const char* pName, size_t nName, DWORD dwType,
                       const BYTE* pData, size_t nData)
{
  if (!(rOut.Append("V ", 2) && AppendCount(rOut, nName) && rOut.Append(":", 1) &&
        rOut.Append(pName, nName) && rOut.Append(" ", 1) && AppendCount(rOut, dwType) &&
        rOut.Append(" ", 1) && AppendCount(rOut, nData) && rOut.Append(":", 1))) {
    return false;
  }
  if (!rOut.Reserve(rOut.GetLength() + 2 * nData + 1)) return false;
  for (size_t i = 0; i < nData; ++i) {
    char aPair[2] = {kHexDigits[pData[i] >> 4], kHexDigits[pData[i] & 15]};
    rOut.Append(aPair, 2);
  }
  return rOut.Append("\n", 1);
}

bool AppendRecord(TText& rOut, const TStoreRecord& rRecord)
{
  return rOut.Append(rRecord.pRecord, rRecord.nRecord);
}
