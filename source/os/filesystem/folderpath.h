// The check of a folder path typed by the reader, before anything is made
// there: forbidden characters, doubled separators and the root.
#ifndef EXTRACTPANEL_FOLDERPATH_H
#define EXTRACTPANEL_FOLDERPATH_H

// 1 when the text is an acceptable folder for extraction, else 0. Works on
// a copy of the text and answers 0 without memory for it.
int IsValidFolderPath(const char* pPath);
// 1 when a character is forbidden where it stands (root or remainder).
// Needs no memory.
int HasForbiddenChars(const char* pPath);

#endif
