// Run control: the dispatcher of the modes and the empty runner. The
// run-control values it fills are in settings.h.
#ifndef EXTRACTPANEL_RUNCONTROL_H
#define EXTRACTPANEL_RUNCONTROL_H

class TRunControl
{
public:
  TRunControl();
  ~TRunControl() {}
  // 1 or the mode runner's result; 0 for an unknown mode.
  int Run(const char* pCommandLine);
};

class TEmptyRunner
{
public:
  TEmptyRunner() {}
  ~TEmptyRunner() {}
  int Run(const char*) { return 1; }
};

// The mode number: leading whitespace, one sign, decimal digits; digits past
// the signed 32-bit range clamp to its ends.
int ModeNumber(const char* pText);

// The entry's work after the handles are stored: COM, the dispatcher, the
// ExitCode. Returns the exit status (1 success, 0 failure).
int RunProgram(const char* pCommandLine);

#endif
