// A text of fixed capacity (terminator included) that can never overflow:
// an assignment or append that does not fit is refused and leaves the text
// as it was.
#ifndef EXTRACTPANEL_FIXEDTEXT_H
#define EXTRACTPANEL_FIXEDTEXT_H

#include <stddef.h>
#include <string.h>

template <size_t N>
class TFixedText
{
public:
  static const size_t CAPACITY = N;

  // Empty, and constant: a global one is ready before any code runs, as
  // the Windows exe runs no constructors of globals.
  constexpr TFixedText() : m_aText() {}

  // Returns false, and keeps the old value, when the text does not fit.
  bool Assign(const char* pText)
  {
    if (pText == 0) {
      m_aText[0] = 0;
      return true;
    }
    size_t nLength = strlen(pText);
    if (nLength >= N) return false;
    memmove(m_aText, pText, nLength + 1);
    return true;
  }

  // Returns false, and keeps the old value, when the result does not fit.
  bool Append(const char* pText)
  {
    size_t nOld = strlen(m_aText);
    size_t nAdd = strlen(pText);
    if (nAdd >= N - nOld) return false;
    memmove(m_aText + nOld, pText, nAdd + 1);
    return true;
  }

  void Clear() { m_aText[0] = 0; }
  bool IsEmpty() const { return m_aText[0] == 0; }
  size_t GetLength() const { return strlen(m_aText); }
  const char* Text() const { return m_aText; }
  // For platform calls that fill the buffer; they are given CAPACITY.
  char* Buffer() { return m_aText; }

private:
  TFixedText(const TFixedText&);
  TFixedText& operator=(const TFixedText&);

  char m_aText[N];
};

// The 260-character texts of the program's paths.
typedef TFixedText<260> TPathText;

#endif
