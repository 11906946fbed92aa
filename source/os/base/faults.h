// A narrow seam through which tests make chosen operating-system calls fail,
// so that the program's failure paths run for real. Nothing is armed in a
// normal run, and each check is one comparison.
#ifndef EXTRACTPANEL_FAULTS_H
#define EXTRACTPANEL_FAULTS_H

enum TFaultPoint {
  FAULT_ALLOCATION,  // MemAlloc
  FAULT_CREATE_DIRECTORY,  // CreateDirectoryA
  FAULT_REG_CREATE_KEY,  // RegCreateKeyExA
  FAULT_REG_SET_VALUE,  // RegSetValueExA
  FAULT_PROFILE_WRITE,  // WritePrivateProfileStringA
  FAULT_LINK_SAVE,  // saving a shell link
  FAULT_NAME_TAKEN,  // CreateFileA CREATE_NEW: another process makes the file first
  FAULT_LAUNCH,  // ShellExecuteA
  FAULT_COM_START,  // CoInitialize
  FAULT_GUID_SOURCE,  // the system's GUID (the POSIX source)
  FAULT_POINT_COUNT
};

// Makes the calls numbered nFirst to nFirst + nCount - 1 (counting from 1,
// from now on) at that point fail.
void ArmFault(TFaultPoint ePoint, int nFirst, int nCount);
void ResetFaults();
// Counts one call at the point; true when that call is to fail.
bool FaultHit(TFaultPoint ePoint);

#endif
