// Makes the program's string table and dialog reachable through the module
// handle that the program loads them from, as they are when the program runs.
#ifndef EXTRACTPANEL_TESTS_PROGRAMRESOURCES_H
#define EXTRACTPANEL_TESTS_PROGRAMRESOURCES_H

// Windows: the built extractpanel.exe, loaded as a data file, becomes the
// module handle (the test executable has no resources of its own). POSIX:
// nothing to do, the string table is compiled in.
void UseProgramResources();

#endif
