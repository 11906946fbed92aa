// Windows only: where the process may load DLLs from. Called first thing in
// the entry, before any library is loaded by name.
#ifndef EXTRACTPANEL_DLLSEARCH_H
#define EXTRACTPANEL_DLLSEARCH_H

// Later loads by bare name come from the system folder only, never from the
// program's own folder (a Downloads or temp folder holds anything) nor the
// current one. Also keeps the system's "No Disk" and open-file error boxes
// from appearing when a path on an empty drive is probed.
void HardenDllSearch();

#endif
