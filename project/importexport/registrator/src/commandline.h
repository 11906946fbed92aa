// The command-line reader: cuts the text into options (marker, key, value)
// and hands them, in order, to a callback; and the text it reads, the
// process's command line after the program's name.
#ifndef EXTRACTPANEL_COMMANDLINE_H
#define EXTRACTPANEL_COMMANDLINE_H

#include <stddef.h>

// The reader's characters; what must agree with the reader uses these.
inline bool IsWhitespace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
inline bool IsMarker(char c) { return c == '-' || c == '/'; }
inline bool IsQuote(char c) { return c == '"' || c == '\''; }

// Gets each option's key and value; returns 0 to stop the walk.
typedef int (*CommandLineCallback)(const char* pKey, const char* pValue);

// The working texts hold 4095 characters and a terminator.
const size_t COMMAND_LINE_CAPACITY = 4096;

// A text longer than 4095 characters does not fit the working copy: it is
// refused whole, no option is read.
const int COMMAND_LINE_REFUSED = -1;

// 1 when the walk reached the end (a null text too), 0 when the callback
// stopped it, COMMAND_LINE_REFUSED for an over-long text.
int ParseCommandLine(const char* pText, CommandLineCallback pCallback);

// The text after the program's name, as WinMain is handed it: the name ends
// at the first control character or blank outside double quotes, and those
// after it are skipped. Bytes from 0x80 up belong to the name, as in
// Windows' own rule for the first argument (MinGW's start-up code read them
// as signed, ending an unquoted name at the first of them and skipping them
// after it).
const char* SkipProgramName(const char* pCommandLine);

class TCommandLineParser
{
public:
  TCommandLineParser() {}
  ~TCommandLineParser() {}

  // pText is the working copy, at most 4095 characters.
  int Parse(const char* pText, CommandLineCallback pCallback);
  const char* ReadKey(const char* pPosition, char* pKey);
  const char* ReadValue(const char* pPosition, char* pValue);
};

#endif
