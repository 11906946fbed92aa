// Tells the shell what the program changed, so that open windows and the
// file-type lists show it at once.
#ifndef EXTRACTPANEL_SHELLNOTIFY_H
#define EXTRACTPANEL_SHELLNOTIFY_H

void NotifyShellItemCreated(const char* pPath);
void NotifyShellAssociationsChanged();

#endif
