// POSIX: there is no shell to tell; desktops watch their folders themselves.
#include "shellnotify.h"

void NotifyShellItemCreated(const char*) {}

void NotifyShellAssociationsChanged() {}
