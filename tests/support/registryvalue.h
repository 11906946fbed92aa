// A registry value as the tests look at it, and key names of their own.
#ifndef EXTRACTPANEL_TESTS_REGISTRYVALUE_H
#define EXTRACTPANEL_TESTS_REGISTRYVALUE_H

#include <string>

#include "platform.h"

struct TRegistryValue
{
  bool Found = false;
  DWORD Type = REG_NONE;
  std::string Bytes;  // exactly as stored
};

TRegistryValue ReadRegistryValue(HKEY root, const std::string& key, const char* name);

// A key name no other test or run uses: letters and digits only, so that it
// can stand unquoted on a command line.
std::string UniqueRegistryName(const std::string& prefix);

// The key that holds the books' records, spelled out here rather than taken
// from the program, so that a change of the program's path shows.
inline const std::string REFERRALS = "Software\\Ostrel\\UserData\\Referrals";
// A REG_DWORD's four bytes as the registry keeps them.
std::string DwordBytes(DWORD value);

#endif
