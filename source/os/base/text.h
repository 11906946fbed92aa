// A growable text on the heap. Every operation that may allocate reports
// whether it could; on failure the text keeps its old value.
#ifndef EXTRACTPANEL_TEXT_H
#define EXTRACTPANEL_TEXT_H

#include <stddef.h>

class TText
{
public:
  TText();
  ~TText();

  bool Assign(const char* pText);
  bool Assign(const char* pText, size_t nLength);
  bool Append(const char* pText);
  bool Append(const char* pText, size_t nLength);

  // Makes room for nChars characters and a terminator; the text is kept.
  bool Reserve(size_t nChars);
  // Sizes the text to exactly nChars characters, a NUL placed after them;
  // characters beyond the old length are zero.
  bool Resize(size_t nChars);
  // Takes the length from the first NUL, after the buffer was written to.
  void SyncLength();

  void Clear();
  bool IsEmpty() const { return m_nLength == 0; }
  size_t GetLength() const { return m_nLength; }
  // Never null: an empty text reads as "".
  const char* Text() const { return m_pData ? m_pData : ""; }
  // Null until something was reserved.
  char* Buffer() { return m_pData; }

private:
  TText(const TText&);
  TText& operator=(const TText&);

  char* m_pData;
  size_t m_nLength;
  size_t m_nCapacity;  // characters, terminator included
};

#endif
