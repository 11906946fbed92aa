// POSIX: a stand-in browser for the tests. It appends its arguments, the
// program's own first, one per line, to the file named by
// EXTRACTPANEL_FAKEBROWSER_LOG.
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>

int main(int argc, char** argv)
{
  const char* pLog = getenv("EXTRACTPANEL_FAKEBROWSER_LOG");
  if (pLog == 0 || *pLog == 0) return 2;
  std::string record;
  for (int i = 0; i < argc; ++i) {
    record += argv[i];
    record += '\n';
  }
  int nLog = open(pLog, O_WRONLY | O_CREAT | O_APPEND, 0644);
  if (nLog < 0) return 3;
  // One write, so a reader never sees half a record.
  bool bWritten = write(nLog, record.data(), record.size()) == (ssize_t)record.size();
  close(nLog);
  return bWritten ? 0 : 4;
}
