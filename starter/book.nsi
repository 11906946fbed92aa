; The reference starter of a self-extracting book. A reader runs the book's exe;
; it asks extractpanel where the book goes (mode 1), unpacks the book there,
; and has extractpanel register it (mode 2). It shows nothing of its own: the
; helper's dialog is the only window, and the exit status tells the outcome:
;   0  the book was extracted and registered
;   1  the reader cancelled the dialog (ExitCode 3); nothing was extracted
;   2  something failed: the helper did not start, gave no folder, or the
;      book's files or mode 2 failed
; Started with /log=FILE, it appends what it handed over and read back.
;
; scripts/make-book.sh builds it. It defines BOOK_SETTINGS, a file of !define
; lines: HELPER, BOOK_DIR, OUT_FILE, STUB, BOOK_ID, BOOK_TITLE, USER_ID, SKU,
; PARTNER_ID, START_FILE, ICON_FILE, MARKER_FILE, OPEN_NAME, DESKTOP_NAME and,
; when given, DEFAULT_FOLDER. Every value it passes on the command line holds
; no double quote and ends in no blank or quote (the helper trims those), so
; each goes whole between double quotes below.

!include /CHARSET=UTF8 "${BOOK_SETTINGS}"
!include LogicLib.nsh
!include FileFunc.nsh

Target ${STUB}            ; x86-unicode or amd64-unicode
SetCompressor /SOLID lzma
SilentInstall silent
; The reader's own rights: the record belongs in the reader's registry, and
; a manifest that says so keeps Windows from asking to elevate a program it
; takes for an installer.
RequestExecutionLevel user
CRCCheck on
Name "${BOOK_TITLE}"
OutFile "${OUT_FILE}"
; ExePath, the folder the dialog offers first; /D=FOLDER on the book's
; command line replaces it.
!ifdef DEFAULT_FOLDER
  InstallDir "${DEFAULT_FOLDER}"
!else
  InstallDir "$DOCUMENTS\Ostrelbooks\${BOOK_TITLE}"
!endif

Var Log      ; the /log file's handle, or empty
Var Helper   ; the helper, in this run's own temporary folder
Var Command  ; the helper and the options of one run
Var Result   ; the result file the two share
Var Status   ; the helper's exit status: 1 success, 0 failure
Var ExitCode ; ExitCode as read back: 0 success, 3 failure
Var Folder   ; CustomPath as read back: where the reader wants the book

!macro LOG TEXT
  ${If} $Log != ""
    FileWrite $Log `${TEXT}$\r$\n`
  ${EndIf}
!macroend

; Ends the run with STATUS. The working folder leaves $PLUGINSDIR first:
; Windows keeps a process's current folder from being removed, and the
; starter removes $PLUGINSDIR, the helper with it, as it exits.
!macro FINISH STATUS WHY
  !insertmacro LOG "book: exit status ${STATUS} (${WHY})"
  ${If} $Log != ""
    FileClose $Log
  ${EndIf}
  SetOutPath $TEMP
  SetErrorLevel ${STATUS}
  Quit
!macroend

; Runs the helper with ARGS and reads back the ExitCode it wrote. A helper
; that cannot be started, or that wrote no ExitCode, counts as failed: the
; ExitCode of the run before is removed first. The starter's strings hold
; at most 1023 characters, so a command line that long may have been cut
; and is not run.
!macro RUN_HELPER ARGS
  StrCpy $Command `"$Helper" ${ARGS}`
  !insertmacro LOG `run: ${ARGS}`
  StrCpy $Status 0
  StrCpy $ExitCode ""
  DeleteINIStr $Result ADRTP ExitCode
  StrLen $0 $Command
  ${If} $0 < 1023
    ClearErrors
    ExecWait $Command $Status
    ${If} ${Errors}
      StrCpy $Status 0
    ${EndIf}
    ReadINIStr $ExitCode $Result ADRTP ExitCode
  ${Else}
    !insertmacro LOG "not run: the command line is too long"
  ${EndIf}
!macroend

; The helper reads its command line and the result file in the ANSI code
; page, and the result file is written in it too. Sets $0 to a form of the
; path $0 that the code page holds, naming the same place: the path as it
; is when every character converts as itself (a best-fit look-alike such as
; Lukasz for Łukasz names another folder), else the short form of its
; longest part that exists, followed by the names below it as they stand.
; Empty when there is none: a volume without short names, or a new name
; outside the code page. On code page 65001 every path converts.
Function AnsiPath
  Push $1 ; the part tried
  Push $2 ; the names below it
  Push $3
  Push $4
  System::Call 'kernel32::GetACP() i .r1'
  ${If} $1 = 65001
    Goto done
  ${EndIf}
  StrCpy $3 $0
  Call InCodePage
  ${If} $3 == 1
    Goto done
  ${EndIf}
  StrCpy $1 $0
  StrCpy $2 ""
  ${Do}
    System::Call 'kernel32::GetShortPathNameW(w r1, w .r3, i ${NSIS_MAX_STRLEN}) i .r4'
    ${If} $4 > 0
    ${AndIf} $4 < ${NSIS_MAX_STRLEN}
      StrCpy $0 "$3$2"
      StrCpy $3 $0
      Call InCodePage
      ${If} $3 != 1
        StrCpy $0 ""
      ${EndIf}
      Goto done
    ${EndIf}
    ; Not there: the part up to its last backslash is tried next.
    StrLen $4 $1
    ${Do}
      IntOp $4 $4 - 1
      ${If} $4 < 1
        ${Break}
      ${EndIf}
      StrCpy $3 $1 1 $4
    ${LoopUntil} $3 == "\"
    ${If} $4 < 1
      StrCpy $0 ""
      Goto done
    ${EndIf}
    StrCpy $3 $1 "" $4
    StrCpy $2 "$3$2"
    StrCpy $1 $1 $4
  ${Loop}
done:
  Pop $4
  Pop $3
  Pop $2
  Pop $1
FunctionEnd

; $3 becomes 1 when the text $3 converts into the ANSI code page with every
; character as itself, else 0.
Function InCodePage
  Push $4
  System::Call 'kernel32::WideCharToMultiByte(i 0, i 0x400, w r3, i -1, i 0, i 0, i 0, *i .r4) i .r3'
  ${If} $3 > 0
  ${AndIf} $4 = 0
    StrCpy $3 1
  ${Else}
    StrCpy $3 0
  ${EndIf}
  Pop $4
FunctionEnd

Function .onInit
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/log=" $R1
  ${IfNot} ${Errors}
    ClearErrors
    FileOpen $Log $R1 a
    ${If} ${Errors}
      StrCpy $Log ""
    ${EndIf}
  ${EndIf}
FunctionEnd

Section
  ; The helper goes into a folder of this run's own: a fresh, uniquely named
  ; one under TEMP that holds nothing else, removed with everything in it
  ; when the starter ends. TEMP itself may hold anything; nothing is taken
  ; from it.
  InitPluginsDir
  SetOutPath $PLUGINSDIR
  File "/oname=extractpanel.exe" "${HELPER}"
  StrCpy $0 $PLUGINSDIR
  Call AnsiPath
  ${If} $0 == ""
    !insertmacro FINISH 2 "the temporary folder $PLUGINSDIR has no form in the code page"
  ${EndIf}
  StrCpy $Helper "$0\extractpanel.exe"
  StrCpy $Result "$0\book.rtp"
  !insertmacro LOG "helper: $Helper"

  ; Mode 1 shows the extraction dialog. The result file carries ExePath in;
  ; the book id names the reader's registry record, which keeps the three
  ; referral values. Values with a blank, "-" or "/" must be quoted, or the
  ; helper ends them there; a quoted value must be followed by a blank.
  ; A folder offered without a form in the code page is not offered: the
  ; dialog then offers its own, and the reader chooses.
  StrCpy $0 $INSTDIR
  Call AnsiPath
  ${If} $0 != ""
    WriteINIStr $Result ADRTP ExePath $0
    !insertmacro LOG "ExePath: $0"
  ${Else}
    !insertmacro LOG "ExePath: none, $INSTDIR has no form in the code page"
  ${EndIf}
  !insertmacro RUN_HELPER '-mode 1 -rtpfilename "$Result" -autorunbookid "${BOOK_ID}" -authoruserid "${USER_ID}" -authorostrelsku "${SKU}" -authorpartnerid "${PARTNER_ID}"'
  ReadINIStr $Folder $Result ADRTP CustomPath
  !insertmacro LOG "mode 1: exit status $Status, ExitCode $ExitCode, CustomPath $Folder"
  ; ExitCode 3 with exit status 0: the reader said no (or the dialog could
  ; not be shown). Nothing has been written anywhere; end quietly.
  ${If} $ExitCode == 3
  ${AndIf} $Status == 0
    !insertmacro FINISH 1 "cancelled, nothing extracted"
  ${EndIf}
  ${If} $ExitCode != 0
  ${OrIf} $Status != 1
  ${OrIf} $Folder == ""
    !insertmacro FINISH 2 "mode 1 failed"
  ${EndIf}

  ; The book's files go where the reader chose; the folder becomes the
  ; working folder, so nothing started from here on holds $PLUGINSDIR.
  ClearErrors
  SetOutPath $Folder
  File /r "${BOOK_DIR}/*"
  ${If} ${Errors}
    !insertmacro FINISH 2 "the book's files could not be written"
  ${EndIf}
  !insertmacro LOG "extracted into: $Folder"
  StrCpy $0 $Folder
  Call AnsiPath
  StrCpy $Folder $0

  ; Mode 2 registers the book: the install directory (the folder the book is
  ; in), and the start file, icon and import marker relative to it; the two
  ; names are the shortcut inside the book's folder and the reader's desktop
  ; and Start-menu shortcuts. It reads the reader's choices from the record
  ; that mode 1 made under the same book id, then opens the start file in
  ; the reader's browser.
  !insertmacro RUN_HELPER '-mode 2 -rtpfilename "$Result" -autorunbookid "${BOOK_ID}" -installdirectory "$Folder" -targetfilepath "${START_FILE}" -shortcuticonpath "${ICON_FILE}" -importtoostrelfilename "${MARKER_FILE}" -openshortcutname "${OPEN_NAME}" -desktopshortcutname "${DESKTOP_NAME}"'
  !insertmacro LOG "mode 2: exit status $Status, ExitCode $ExitCode"
  ${If} $ExitCode != 0
  ${OrIf} $Status != 1
    !insertmacro FINISH 2 "extracted, but mode 2 failed"
  ${EndIf}
  !insertmacro FINISH 0 "installed"
SectionEnd
