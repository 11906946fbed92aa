// Opening a document with a file class that has no open command of its
// own, such as a browser installed from the Store: only the shell knows how
// to start what such a class names.
#ifndef EXTRACTPANEL_SHELLCLASS_H
#define EXTRACTPANEL_SHELLCLASS_H

// 1 when the shell started the class's default verb on the file, else 0.
int OpenWithClass(const char* pClass, const char* pFile);

#endif
