#include "text.h"

#include <string.h>

#include "faults.h"
#include "memory.h"

TText::TText() : m_pData(0), m_nLength(0), m_nCapacity(0) {}

TText::~TText() { MemFree(m_pData); }

bool TText::Reserve(size_t nChars)
{
  if (nChars + 1 <= m_nCapacity) return true;
  if (nChars + 1 == 0) return false;
  if (FaultHit(FAULT_ALLOCATION)) return false;
  char* pNew = static_cast<char*>(MemResize(m_pData, nChars + 1));
  if (pNew == 0) return false;
  if (m_pData == 0) pNew[0] = 0;
  m_pData = pNew;
  m_nCapacity = nChars + 1;
  return true;
}

bool TText::Resize(size_t nChars)
{
  if (!Reserve(nChars)) return false;
  if (nChars > m_nLength) memset(m_pData + m_nLength, 0, nChars - m_nLength);
  m_pData[nChars] = 0;
  m_nLength = nChars;
  return true;
}

void TText::SyncLength() { m_nLength = m_pData ? strlen(m_pData) : 0; }

bool TText::Assign(const char* pText) { return Assign(pText, pText ? strlen(pText) : 0); }

bool TText::Assign(const char* pText, size_t nLength)
{
  if (pText >= m_pData && pText < m_pData + m_nCapacity) {
    // A piece of this very text: move it down, no allocation needed.
    memmove(m_pData, pText, nLength);
    m_pData[nLength] = 0;
    m_nLength = nLength;
    return true;
  }
  if (!Reserve(nLength)) return false;
  if (nLength) memcpy(m_pData, pText, nLength);
  m_pData[nLength] = 0;
  m_nLength = nLength;
  return true;
}

bool TText::Append(const char* pText) { return Append(pText, strlen(pText)); }

bool TText::Append(const char* pText, size_t nLength)
{
  if (nLength > (size_t)-1 - m_nLength - 1) return false;
  // A piece of this very text must be found again after the buffer moves.
  bool bOwn = pText >= m_pData && pText < m_pData + m_nCapacity;
  size_t nOffset = bOwn ? static_cast<size_t>(pText - m_pData) : 0;
  if (!Reserve(m_nLength + nLength)) return false;
  if (bOwn) pText = m_pData + nOffset;
  memmove(m_pData + m_nLength, pText, nLength);
  m_nLength += nLength;
  m_pData[m_nLength] = 0;
  return true;
}

void TText::Clear()
{
  m_nLength = 0;
  if (m_pData) m_pData[0] = 0;
}
