// Owner of one open registry key. Every operation returns the registry's own
// result code (0 success, 2 absent, 5 access denied, 234 buffer too small).
#ifndef EXTRACTPANEL_TREGKEY_H
#define EXTRACTPANEL_TREGKEY_H

#include "platform.h"
#include "text.h"

// Holds the key handle and owns it: whatever replaces or forgets a held
// handle closes it first.
class TRegKeyHolder
{
public:
  TRegKeyHolder() : m_hKey(0) {}
  ~TRegKeyHolder() { Close(); }

  // 0 when nothing was held; else the code of closing the held key.
  LONG Close();
  // Creates the key or opens the existing one. On success the new handle is
  // held (the old one closed first is what the result reports); on failure
  // the held key is untouched. pDisposition, when given, receives
  // REG_CREATED_NEW_KEY or REG_OPENED_EXISTING_KEY on success and is left
  // as it was on failure.
  LONG Create(HKEY hKeyParent, const char* pName, char* pClass, DWORD dwOptions, REGSAM samDesired,
              LPSECURITY_ATTRIBUTES pSecurity, DWORD* pDisposition);

  // Readable by callers that need a raw registry call on the held key.
  HKEY m_hKey;

private:
  TRegKeyHolder(const TRegKeyHolder&);
  TRegKeyHolder& operator=(const TRegKeyHolder&);
};

class TRegKey : public TRegKeyHolder
{
public:
  // Opens an existing key, never creates one; hand-over as with Create.
  LONG Open(HKEY hKeyParent, const char* pName, REGSAM samDesired);

  // The bytes as stored, whatever the type. pBuffer may be null to ask for
  // the size; *pCount is the buffer's size in, the bytes stored or needed out.
  // pType, when given, receives the stored type.
  LONG QueryValue(void* pBuffer, const char* pName, DWORD* pCount, DWORD* pType = 0);
  // A text of any length; an absent value gives 2 and an empty text, and
  // any other failure leaves the text empty too.
  LONG QueryValue(TText& rText, const char* pName, DWORD* pType = 0);
  // The same, with the environment's %NAME% references worked out when the
  // value is stored as REG_EXPAND_SZ; 8 when that cannot be done.
  LONG QueryExpandedValue(TText& rText, const char* pName);
  // A number of at most 4 bytes; 234 when more are stored.
  LONG QueryValue(DWORD& rValue, const char* pName);

  // REG_SZ with its terminating NUL.
  LONG SetValue(const char* pValue, const char* pName);
  // REG_DWORD.
  LONG SetValue(DWORD dwValue, const char* pName);
  LONG DeleteValue(const char* pName);
};

#endif
