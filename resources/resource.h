// Ids and texts of the extraction dialog and its controls. Read by the resource
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

// The dialog's own texts, shared with the text form of the dialog. A double
// quote is written \042, which both compilers read the same way.
#define IDD_EXTRACTION_CAPTION "Ostrelbook Extraction"
#define IDC_FOLDER_LABEL_TEXT "Ostrelbook extraction folder:"
#define IDC_BROWSE_TEXT "Browse..."
#define IDC_DESKTOP_TEXT "Create a shortcut on my desktop"
#define IDC_STARTMENU_TEXT \
  "Add to the \042Ostrelbooks\042 group in the Windows Start > Programs menu"
#define IDC_PRIVACY_LABEL_TEXT "Privacy notice:"

// The folder edit takes at most this many characters (MAX_PATH less the NUL).
#define FOLDER_TEXT_LIMIT 259

#endif
