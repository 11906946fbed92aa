// An anonymous identifier: unique to the moment and the computer it was
// made on, while telling nothing about either.
//
// How it is made (callers may depend on it):
//   1. a GUID from the system: on Windows from UuidCreateSequential when it
//      answers RPC_S_OK or RPC_S_UUID_LOCAL_ONLY, else from UuidCreate (with
//      the same answers); on POSIX a version-1 GUID from the time and a
//      network card's address, else a version-4 GUID of random bytes from
//      the system's generator;
//   2. its 16 bytes, as a Windows GUID lies in memory (Data1, Data2 and
//      Data3 little-endian, then the eight bytes of Data4), digested with
//      MD5 (RFC 1321);
//   3. the 16 bytes of that digest digested with HAVAL in 5 passes to 256
//      bits;
//   4. the 32 bytes of that digest, in order, written as 64 lower-case
//      hexadecimal digits, the high half of each byte first, and a NUL.
#ifndef EXTRACTPANEL_ANONYMOUSID_H
#define EXTRACTPANEL_ANONYMOUSID_H

#include <stddef.h>

const size_t ANONYMOUS_ID_LENGTH = 64;

// Writes a new identifier and its terminator into pId, which holds
// nCapacity characters: 1, or 0 with pId untouched when nCapacity is under
// ANONYMOUS_ID_LENGTH + 1 or the system gave no GUID.
int MakeAnonymousId(char* pId, size_t nCapacity);

// Steps 2 to 4 for a given GUID of 16 bytes: pId receives
// ANONYMOUS_ID_LENGTH + 1 characters.
void AnonymousIdFromGuid(const unsigned char* pGuid, char* pId);

#endif
