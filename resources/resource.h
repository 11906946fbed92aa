// Ids of the extraction dialog and its controls. Read by the resource
// compiler as well as by the program, so: preprocessor definitions only.
#ifndef EXTRACTPANEL_RESOURCE_H
#define EXTRACTPANEL_RESOURCE_H

#define IDD_EXTRACTION 200

#define IDC_STATIC (-1)
#define IDC_FOLDER 2000
#define IDC_BROWSE 2001
#define IDC_DESKTOP 2002
#define IDC_STARTMENU 2003
#define IDC_PRIVACY 2004

// The folder edit takes at most this many characters (MAX_PATH less the NUL).
#define FOLDER_TEXT_LIMIT 259

#endif
