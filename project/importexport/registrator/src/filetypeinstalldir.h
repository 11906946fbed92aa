// Mode 2: the install directory in the book key, the .7xe file type and the
// import marker file.
#ifndef EXTRACTPANEL_FILETYPEINSTALLDIR_H
#define EXTRACTPANEL_FILETYPEINSTALLDIR_H

// Stores the install directory as "Install Directory" in an existing book
// key. Always 1.
int RecordInstallDirectory();
// Registers .7xe when needed and writes the marker: one blank, the file
// created or emptied. Nothing at all for an empty path. Always 1.
int WriteImportMarker(const char* pMarkerPath);
// 1 when .7xe already named a class or both keys were written; 0 when a key
// could not be created or the value not set.
int RegisterBookFileType();

#endif
