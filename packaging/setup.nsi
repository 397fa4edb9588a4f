; The Tavrex tools' installer, one 32-bit setup.exe for 32-bit and 64-bit Windows:
;   brennick.exe  into a folder the user may change (default "Tavrex" under the 32-bit Program Files),
;   "FilePath"    under HKLM\Software\Manufacturer\Tavrex naming that folder, where the applet looks for it,
;   lintara.cpl   into the system folder 32-bit programs see (System32, or SysWOW64 on 64-bit Windows),
;   an uninstaller and its Add/Remove Programs entry, which take exactly that away again.
; Everything lives in the 32-bit views of the registry and the file system, the ones the 32-bit deliverables
; see; a 32-bit installer sees them by itself, and says so once more with SetRegView 32. The driver's own key
; (Services\Tavrex\Parameters: the calibration and the settings) and the user's mouse settings are never
; touched: they belong to the driver and to the user.
;
; Deployment tools act on the exit code, so each one means one thing:
;   0     installed (or removed);
;   3010  installed (or removed), and one of our files waits for the next restart to be replaced or removed;
;   740   not run with administrator rights: nothing changed;
;   1603  failed: nothing installed, an earlier install left as it was (its files, its entry, its FilePath).
; Under /S both programs append what they did and their exit code to %TEMP%\tavrex-setup.log.
; The folder is compared by what it is (volume and file index), not by how it is spelt; the folder stored in
; "FilePath" and in the entry is its full, resolved path.
;
; The build runs: makensis -INPUTCHARSET UTF8 -DVERSION=a.b.c.d -DBIN=<folder of the two files>
;                          -DOUTFILE=<setup.exe> [-DSIGN=<command that signs the file named after it>] setup.nsi
; Silent: setup.exe /S [/D=folder]  (/D last; also "/D=folder" quoted whole, or /d=);
;         "uninstall.exe" /S _?=<its folder>.

Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestSupportedOS all
; A file that cannot be written is a failure, never silently skipped.
AllowSkipFiles off

!ifndef VERSION | BIN | OUTFILE
  !error "define VERSION, BIN and OUTFILE (see the head of this file)"
!endif

!ifdef SIGN
  !finalize '${SIGN} "%1"' = 0
  !uninstfinalize '${SIGN} "%1"' = 0
!endif

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include x64.nsh
!include WinVer.nsh

!define TOOLS_KEY "Software\Manufacturer\Tavrex"
!define MANUFACTURER_KEY "Software\Manufacturer"
; Named for these tools: "Tavrex" alone is the driver service's name, which the driver's own package may use.
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\TavrexTouchTools"
!define UNINSTALLER "uninstall.exe"
!define LOG_FILE "$TEMP\tavrex-setup.log"
!define EXIT_REBOOT_REQUIRED 3010
!define EXIT_ELEVATION_REQUIRED 740
!define EXIT_INSTALL_FAILURE 1603
!define ERROR_SHARING_VIOLATION 32
!define ERROR_LOCK_VIOLATION 33
; The log starts anew past this size.
!define LOG_LIMIT 1048576
; What this run wrote over or next to (numbered entries: the file, the copy kept of what was there), read back
; when it fails, and which files it placed directly, which nothing waiting for the restart may undo.
!define JOURNAL "$PLUGINSDIR\journal.ini"
!define SESSION_MANAGER "SYSTEM\CurrentControlSet\Control\Session Manager"
!define CPL_PROPERTIES "Software\Microsoft\Windows\CurrentVersion\Control Panel\Extended Properties"
; The item's Control Panel category: "Hardware and Sound" (2) since Vista, "Printers and Other Hardware" (2) on XP.
!define CATEGORY_KEY "${CPL_PROPERTIES}\System.ControlPanel.Category"
!define CATEGORY_KEY_XP "${CPL_PROPERTIES}\{305CA226-D286-468e-B848-2B2E8E697B74} 2"
!define CATEGORY 2
; The running uninstaller's own file is renamed to this prefix and a unique tail before it goes.
!define LEAVING "~tavrex-uninstall-"

; The system folder 32-bit programs see, by the name that is the same for every process: on 64-bit Windows
; SysWOW64, not the System32 that the 32-bit installer is redirected from, because a replacement deferred to
; the next restart is carried out by the 64-bit system, which would take "System32" literally.
Var SystemFolder
; What was there before this run, so that a failure can leave it as it was.
Var EarlierFolder
Var EarlierVersion
Var EarlierFilePath
Var EarlierCategory
; How many folders this run created (noted in the journal), taken away again if it fails.
Var CreatedFolders
Var JournalCount
Var RegistryTouched
; GetFileInformationByHandle's record.
Var InfoBuffer
; Set when something of ours could not be removed for another reason than being in use.
Var RemoveFailed

Name "$(ProductName)"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES32\Tavrex"
; Installing again goes where the last install went: its files are replaced in place.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Halvery $(ProductName) ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"

!define MUI_ICON "../calibrator/res/calibrator.ico"
!define MUI_UNICON "../calibrator/res/calibrator.ico"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "$(WelcomeText)"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

!include texts_zh.nsh

VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "CompanyName" "Halvery"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductName" "$(ProductName)"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileDescription" "$(SetupDescription)"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "LegalCopyright" "Copyright © Halvery"

; ---- Helpers both programs use; the uninstaller's copies carry the "un." prefix. ------------------------

; GetFileInformationByHandle of the open HANDLE into $InfoBuffer (13 DWORDs: attributes, three times, volume
; serial, size high and low, links, index high and low); OK, a register as System::Call names it, is 0 when it
; failed. The caller reads what it needs and frees $InfoBuffer.
!macro ReadFileInfo HANDLE OK
  System::Alloc 52
  Pop $InfoBuffer
  System::Call 'kernel32::GetFileInformationByHandle(p ${HANDLE}, p $InfoBuffer) i .${OK}'
!macroend

!macro DefineHelpers UN
  ; Shows a line in the details and, under /S, appends it to the log. Leaves the error flag as it was.
  ; As SYSTEM the log is in C:\Windows\Temp, where every user may create files: it is opened as itself, never
  ; through a link (a reparse point), and one with a second name (a hard link a user made to a file of their
  ; choosing) is refused; a refused log is not written, and the run goes on. UTF-16 with its byte order mark:
  ; paths and texts read the same on every Windows, whatever its code page.
  Function ${UN}Log
    Exch $R0
    Push $R1
    Push $R2
    Push $R3
    Push $R4
    Push $R5
    Push $R6
    StrCpy $R5 0
    IfErrors 0 +2
      StrCpy $R5 1
    DetailPrint "$R0"
    ${If} ${Silent}
      StrCpy $R2 "${LOG_FILE}"
      ; GENERIC_WRITE | FILE_READ_ATTRIBUTES, OPEN_ALWAYS, FILE_FLAG_OPEN_REPARSE_POINT
      System::Call 'kernel32::CreateFileW(w R2, i 0x40000080, i 1, p 0, i 4, i 0x00200080, p 0) p .R1'
      ${If} $R1 P<> -1
        !insertmacro ReadFileInfo $R1 R2
        ${If} $R2 <> 0
          System::Call '*$InfoBuffer(i .R2, i, i, i, i, i, i, i, i .R3, i .R4, i .R6)'
          IntOp $R2 $R2 & 0x410 ; a reparse point or a folder
          ${If} $R2 = 0
          ${AndIf} $R6 = 1
            ${If} $R3 <> 0
            ${OrIf} $R4 U> ${LOG_LIMIT}
              System::Call 'kernel32::SetFilePointer(p R1, i 0, p 0, i 0)'
              System::Call 'kernel32::SetEndOfFile(p R1)'
              StrCpy $R4 0
            ${EndIf}
            System::Call 'kernel32::SetFilePointer(p R1, i 0, p 0, i 2)'
            ${If} $R4 = 0
              System::Call 'kernel32::WriteFile(p R1, *i 0xFEFF, i 2, *i .R2, p 0)'
            ${EndIf}
            StrCpy $R2 "$R0$\r$\n"
            StrLen $R3 $R2
            IntOp $R3 $R3 * 2
            System::Call 'kernel32::WriteFile(p R1, w R2, i R3, *i .R4, p 0)'
          ${EndIf}
        ${EndIf}
        System::Free $InfoBuffer
        System::Call 'kernel32::CloseHandle(p R1)'
      ${EndIf}
    ${EndIf}
    ClearErrors
    ${If} $R5 = 1
      SetErrors
    ${EndIf}
    Pop $R6
    Pop $R5
    Pop $R4
    Pop $R3
    Pop $R2
    Pop $R1
    Pop $R0
  FunctionEnd

  ; Pushes 1 when another program holds the file open so that it cannot be written (a running brennick.exe, a
  ; lintara.cpl that an open Control Panel has loaded), else 0. A delete or copy that fails says nothing of
  ; why; opening the file for writing tells a sharing violation from every other failure.
  Function ${UN}InUse
    Exch $R0
    Push $R1
    Push $R2
    System::Call 'kernel32::CreateFileW(w R0, i 0x40000000, i 7, p 0, i 3, i 0x80, p 0) p .R1 ?e'
    Pop $R2
    ${If} $R1 P<> -1
      System::Call 'kernel32::CloseHandle(p R1)'
    ${EndIf}
    ${If} $R2 = ${ERROR_SHARING_VIOLATION}
    ${OrIf} $R2 = ${ERROR_LOCK_VIOLATION}
      StrCpy $R0 1
    ${Else}
      StrCpy $R0 0
    ${EndIf}
    Pop $R2
    Pop $R1
    Exch $R0
  FunctionEnd

  ; Pushes what a file or folder is, however its path is spelt (a short name, "." or "\\" in it, a junction, a
  ; subst drive): its volume's serial number and its index on that volume. "" when it cannot be opened.
  Function ${UN}Identity
    Exch $R0
    Push $R1
    ; FILE_READ_ATTRIBUTES, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS (which a folder needs)
    System::Call 'kernel32::CreateFileW(w R0, i 0x80, i 7, p 0, i 3, i 0x02000000, p 0) p .R1'
    StrCpy $R0 ""
    ${If} $R1 P<> -1
      Push $R1
      Call ${UN}HandleIdentity
      Pop $R0
      System::Call 'kernel32::CloseHandle(p R1)'
    ${EndIf}
    Pop $R1
    Exch $R0
  FunctionEnd

  ; The same for the open handle pushed; "" when it is no file's.
  Function ${UN}HandleIdentity
    Exch $R0
    Push $R1
    Push $R2
    Push $R3
    !insertmacro ReadFileInfo $R0 R1
    StrCpy $R0 ""
    ${If} $R1 <> 0
      System::Call '*$InfoBuffer(i, i, i, i, i, i, i, i .R1, i, i, i, i .R2, i .R3)'
      StrCpy $R0 "$R1:$R2:$R3"
    ${EndIf}
    System::Free $InfoBuffer
    Pop $R3
    Pop $R2
    Pop $R1
    Exch $R0
  FunctionEnd

  ; Pushes 1 when the two folders pushed before are one, by identity; 0 otherwise. Two that cannot be opened
  ; (neither exists) are compared by their text, without regard to letter case.
  Function ${UN}SameFolder
    Exch $R0
    Exch
    Exch $R1
    Push $R2
    Push $R3
    Push $R0
    Call ${UN}Identity
    Pop $R2
    Push $R1
    Call ${UN}Identity
    Pop $R3
    ${If} $R2 == ""
    ${AndIf} $R3 == ""
      StrCpy $R2 $R0
      StrCpy $R3 $R1
    ${EndIf}
    ${If} $R2 == $R3
      StrCpy $R0 1
    ${Else}
      StrCpy $R0 0
    ${EndIf}
    Pop $R3
    Pop $R2
    Pop $R1
    Exch $R0
  FunctionEnd

  ; Removes a file of ours. One held open goes at the next restart (which sets the reboot flag); one that
  ; cannot be removed for another reason stays, and RemoveFailed says so.
  Function ${UN}RemoveOurFile
    Exch $R0
    Push $R1
    ${If} ${FileExists} "$R0"
      ClearErrors
      Delete "$R0"
      ; Delete passes over a folder of that name without an error.
      ${If} ${Errors}
      ${OrIf} ${FileExists} "$R0"
        Push "$R0"
        Call ${UN}InUse
        Pop $R1
        ${If} $R1 = 1
          Delete /REBOOTOK "$R0"
          Push "$(InUseRemoved) $R0"
        ${Else}
          StrCpy $RemoveFailed 1
          Push "$(CannotRemove) $R0"
        ${EndIf}
      ${Else}
        Push "$(Removed) $R0"
      ${EndIf}
      Call ${UN}Log
    ${EndIf}
    Pop $R1
    Pop $R0
  FunctionEnd

  ; Removes a folder once it is empty. A folder that still holds only our files, one of them waiting for the
  ; next restart, goes with them then; one that holds anything else (the user's files) stays, and nothing is
  ; scheduled for it.
  Function ${UN}RemoveFolder
    Exch $R0
    Push $R1
    Push $R2
    Push $R3
    Push $R4
    ClearErrors
    RMDir "$R0"
    ${If} ${FileExists} "$R0\*.*"
      StrCpy $R3 1 ; only ours left
      FindFirst $R1 $R2 "$R0\*.*"
      ${DoUntil} $R2 == ""
        StrLen $R4 "${LEAVING}"
        StrCpy $R4 $R2 $R4
        ${IfNot} $R2 == "."
        ${AndIfNot} $R2 == ".."
        ${AndIfNot} $R2 == "brennick.exe"
        ${AndIfNot} $R2 == "${UNINSTALLER}"
        ${AndIfNot} $R4 == "${LEAVING}"
          StrCpy $R3 0
        ${EndIf}
        FindNext $R1 $R2
      ${Loop}
      FindClose $R1
      ${If} $R3 = 0
        Push "$(FolderKept) $R0"
        Call ${UN}Log
      ${ElseIf} ${RebootFlag}
        RMDir /REBOOTOK "$R0"
      ${EndIf}
    ${EndIf}
    Pop $R4
    Pop $R3
    Pop $R2
    Pop $R1
    Pop $R0
  FunctionEnd

  Function ${UN}LogStart
    ${GetTime} "" "L" $0 $1 $2 $3 $4 $5 $6
    System::Call 'kernel32::GetCommandLineW() w .R0'
    Push "$2-$1-$0 $4:$5:$6 $(^Name) ${VERSION}: $R0"
    Call ${UN}Log
  FunctionEnd
!macroend

!insertmacro DefineHelpers ""
!insertmacro DefineHelpers "un."

; Takes out of what waits for the restart (PendingFileRenameOperations, pairs of "\??\" paths: a source, then
; a target, empty for a removal and "!"-prefixed for a replacement) every removal or rename of the path pushed
; and every rename onto it. Other programs' pairs stay as they are. Pushes 1 when none is left, 0 when one is
; and the value cannot be changed.
Function ForgetPending
  Exch $R0
  Push $R1
  Push $R2
  Push $R3
  Push $R4
  Push $R5
  Push $R6
  Push $R7
  Push $R8
  Push $R9
  Push $0
  Push $1
  Push $2
  Push $3
  Push $4
  StrCpy $R0 "\??\$R0"
  StrCpy $R9 1
  StrCpy $R8 3 ; KEY_QUERY_VALUE | KEY_SET_VALUE, or only the first where that is all this account may do
  ${Do}
    System::Call 'advapi32::RegOpenKeyExW(p 0x80000002, w "${SESSION_MANAGER}", i 0, i R8, *p .R1) i .R2'
    ${IfThen} $R2 = 0 ${|} ${ExitDo} ${|}
    ${IfThen} $R8 = 1 ${|} ${ExitDo} ${|}
    StrCpy $R8 1
  ${Loop}
  ${If} $R2 <> 0
    StrCpy $R9 0
  ${Else}
    System::Call 'advapi32::RegQueryValueExW(p R1, w "PendingFileRenameOperations", p 0, *i .R2, p 0, *i .R3) i .R4'
    ${If} $R4 = 0
    ${AndIf} $R2 = 7 ; REG_MULTI_SZ
      IntOp $R4 $R3 + 4 ; zeroed room for the closing nulls that a careless writer left out
      System::Alloc $R4
      Pop $0 ; as it was
      System::Alloc $R4
      Pop $1 ; what stays
      System::Call 'advapi32::RegQueryValueExW(p R1, w "PendingFileRenameOperations", p 0, p 0, p r0, *i R3) i .R4'
      ${If} $R4 = 0
        IntOp $2 $0 + $R3
        StrCpy $R5 $0 ; reading here
        StrCpy $R6 $1 ; writing here
        StrCpy $3 0 ; 1 once a pair of this path was found
        ${DoWhile} $R5 < $2
          StrCpy $R7 $R5 ; the pair's start
          System::Call 'kernel32::lstrcpynW(w .R2, p R5, i ${NSIS_MAX_STRLEN})'
          System::Call 'kernel32::lstrlenW(p R5) i .R4'
          ${IfThen} $R4 = 0 ${|} ${ExitDo} ${|}
          IntOp $R4 $R4 + 1
          IntOp $R4 $R4 * 2
          IntOp $R5 $R5 + $R4
          System::Call 'kernel32::lstrcpynW(w .r4, p R5, i ${NSIS_MAX_STRLEN})'
          System::Call 'kernel32::lstrlenW(p R5) i .R4'
          IntOp $R4 $R4 + 1
          IntOp $R4 $R4 * 2
          IntOp $R5 $R5 + $R4
          StrCpy $R4 $4 1
          ${If} $R4 == "!"
            StrCpy $4 $4 "" 1
          ${EndIf}
          ${If} $R2 == $R0
          ${OrIf} $4 == $R0
            StrCpy $3 1
          ${Else}
            IntOp $R4 $R5 - $R7
            System::Call 'kernel32::RtlMoveMemory(p R6, p R7, i R4)'
            IntOp $R6 $R6 + $R4
          ${EndIf}
        ${Loop}
        ${If} $3 = 1
          ${If} $R8 = 1
            StrCpy $R9 0
          ${ElseIf} $R6 = $1
            System::Call 'advapi32::RegDeleteValueW(p R1, w "PendingFileRenameOperations") i .R4'
          ${Else}
            IntOp $R6 $R6 - $1
            IntOp $R6 $R6 + 2 ; the list's closing null
            System::Call 'advapi32::RegSetValueExW(p R1, w "PendingFileRenameOperations", i 0, i 7, p r1, i R6) i .R4'
          ${EndIf}
          ${IfThen} $R4 <> 0 ${|} StrCpy $R9 0 ${|}
        ${EndIf}
      ${EndIf}
      System::Free $0
      System::Free $1
    ${EndIf}
    System::Call 'advapi32::RegCloseKey(p R1)'
  ${EndIf}
  StrCpy $R0 $R9
  Pop $4
  Pop $3
  Pop $2
  Pop $1
  Pop $0
  Pop $R9
  Pop $R8
  Pop $R7
  Pop $R6
  Pop $R5
  Pop $R4
  Pop $R3
  Pop $R2
  Pop $R1
  Exch $R0
FunctionEnd

!macro Log TEXT
  Push "${TEXT}"
  Call Log
!macroend

!macro RequireAdministrator UN
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "admin"
    Push "$(NeedAdministrator)"
    Call ${UN}Log
    MessageBox MB_OK|MB_ICONSTOP "$(NeedAdministrator)" /SD IDOK
    Push "  exit ${EXIT_ELEVATION_REQUIRED}"
    Call ${UN}Log
    SetErrorLevel ${EXIT_ELEVATION_REQUIRED}
    Quit
  ${EndIf}
!macroend

!macro FindSystemFolder
  ${If} ${RunningX64}
    StrCpy $SystemFolder "$WINDIR\SysWOW64"
  ${Else}
    StrCpy $SystemFolder "$SYSDIR"
  ${EndIf}
!macroend

; The uninstall entry of an install in FOLDER of version VERSION; the error flag tells whether every write took.
!macro WriteEntry FOLDER VERSION
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "$(ProductName)"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Halvery"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "${FOLDER}\brennick.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "${FOLDER}"
  ; Run in place (_?=), the uninstaller returns only when it is done, with its true exit code.
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"${FOLDER}\${UNINSTALLER}" _?=${FOLDER}'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"${FOLDER}\${UNINSTALLER}" /S _?=${FOLDER}'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
!macroend

; The item's Control Panel category (OP: Write or Delete), named by the path every process gives lintara.cpl
; ($SystemFolder), in both registry views: the Control Panel of 64-bit Windows is a 64-bit program and reads its
; own view; on 32-bit Windows the two are one. The XP key is written everywhere too: Vista and later ignore it.
!macro CategoryWrite KEY
  WriteRegDWORD HKLM "${KEY}" "$SystemFolder\lintara.cpl" ${CATEGORY}
!macroend
!macro CategoryDelete KEY
  DeleteRegValue HKLM "${KEY}" "$SystemFolder\lintara.cpl"
!macroend
!macro CategoryInView OP
  !insertmacro Category${OP} "${CATEGORY_KEY}"
  !insertmacro Category${OP} "${CATEGORY_KEY_XP}"
!macroend
!macro Category OP
  ${If} ${RunningX64}
    SetRegView 64
    !insertmacro CategoryInView ${OP}
    SetRegView 32
  ${EndIf}
  !insertmacro CategoryInView ${OP}
!macroend

; ---- Installing --------------------------------------------------------------------------------------

Function .onInit
  SetRegView 32
  Call LogStart
  !insertmacro RequireAdministrator ""
  !insertmacro FindSystemFolder
  Call TakeFolderArgument
FunctionEnd

; Stops before anything is done: the folder asked for cannot be used as it is written.
Function RefuseFolder
  Exch $R0
  !insertmacro Log "$R0"
  MessageBox MB_OK|MB_ICONSTOP "$R0" /SD IDOK
  !insertmacro Log "  exit ${EXIT_INSTALL_FAILURE}"
  SetErrorLevel ${EXIT_INSTALL_FAILURE}
  Quit
FunctionEnd

!macro RefuseFolder TEXT
  Push "${TEXT}"
  Call RefuseFolder
!macroend

; Takes blanks (and with BACKSLASHES 1, backslashes too) off the end of VAR.
!macro TrimEnd VAR BACKSLASHES
  ${Do}
    StrCpy $R9 ${VAR} 1 -1
    ${If} $R9 == " "
    ${OrIf} ${BACKSLASHES}$R9 == "1\"
      StrCpy ${VAR} ${VAR} -1
    ${Else}
      ${ExitDo}
    ${EndIf}
  ${Loop}
!macroend

; The folder of /D= as administrators' tools write it: last on the command line, "/D=" or "/d=", bare or quoted
; whole ("/D=C:\x y", as PowerShell 7 and Python's subprocess pass a word with a blank). NSIS itself takes only a
; bare "/D=", and puts the default or the remembered folder in the place of one it cannot use: here a folder
; asked for is used as it is written, or the install fails. Blanks and backslashes at its end go, as NSIS takes
; them off; a quote inside it is a mistake that no folder name can hold.
Function TakeFolderArgument
  System::Call 'kernel32::GetCommandLineW() w .R0'
  ; Past the program's own path first: quoted, it may hold anything.
  StrCpy $R1 $R0 1
  ${If} $R1 == '"'
    StrCpy $R1 '"'
  ${Else}
    StrCpy $R1 " "
  ${EndIf}
  StrLen $R2 $R0
  StrCpy $R3 1
  ${DoWhile} $R3 < $R2
    StrCpy $R4 $R0 1 $R3
    IntOp $R3 $R3 + 1
    ${IfThen} $R4 == $R1 ${|} ${ExitDo} ${|}
  ${Loop}
  StrCpy $R0 $R0 "" $R3
  StrCpy $R0 " $R0"
  StrLen $R2 $R0
  StrCpy $R3 0
  StrCpy $R5 "" ; the folder as written
  ${DoWhile} $R3 < $R2
    StrCpy $R4 $R0 4 $R3
    StrCpy $R6 $R0 5 $R3
    ${If} $R4 == " /D=" ; "==" ignores letter case: /d= too
      IntOp $R3 $R3 + 4
      StrCpy $R7 0
      ${ExitDo}
    ${ElseIf} $R6 == ' "/D='
      IntOp $R3 $R3 + 5
      StrCpy $R7 1 ; quoted whole
      ${ExitDo}
    ${EndIf}
    IntOp $R3 $R3 + 1
  ${Loop}
  ${IfThen} $R3 >= $R2 ${|} Return ${|}
  StrCpy $R5 $R0 "" $R3
  !insertmacro TrimEnd $R5 0
  StrCpy $R4 $R5 1 -1
  ${If} $R7 = 1
  ${AndIf} $R4 == '"'
    StrCpy $R5 $R5 -1
  ${EndIf}
  StrLen $R2 $R5
  StrCpy $R3 0
  ${DoWhile} $R3 < $R2
    StrCpy $R4 $R5 1 $R3
    ${If} $R4 == '"'
      !insertmacro RefuseFolder "$(FolderQuoted) $R5"
    ${EndIf}
    IntOp $R3 $R3 + 1
  ${Loop}
  !insertmacro TrimEnd $R5 1
  Push $R5
  Call IsUsableFolder
  Pop $R4
  ${If} $R4 = 0
    !insertmacro RefuseFolder "$(FolderUnusable) $R5"
  ${EndIf}
  StrCpy $INSTDIR $R5
FunctionEnd

; Pushes 1 when the folder pushed can be installed into, as NSIS itself asks of /D=: a full path below the
; root of a drive or a share, whose nearest existing part is a folder (not a file, not a drive that is missing).
Function IsUsableFolder
  Exch $R0
  Push $R1
  Push $R2
  ${GetRoot} $R0 $R1
  StrLen $R2 $R1
  StrCpy $R2 $R0 1 $R2
  ${If} $R1 == ""
  ${OrIf} $R2 != "\"
    StrCpy $R0 0
  ${Else}
    ${Do}
      ; Past a drive's letter ("") with nothing found: the drive does not exist.
      ${If} $R0 == ""
        StrCpy $R0 0
        ${ExitDo}
      ${ElseIf} ${FileExists} "$R0\*.*"
        StrCpy $R0 1
        ${ExitDo}
      ${ElseIf} ${FileExists} "$R0"
        StrCpy $R0 0
        ${ExitDo}
      ${EndIf}
      ${GetParent} $R0 $R0
    ${Loop}
  ${EndIf}
  Pop $R2
  Pop $R1
  Exch $R0
FunctionEnd

; Stops the install: says why, puts back what was there before this run, and exits with 1603.
Function Fail
  Exch $R0
  !insertmacro Log "$(InstallFailed) $R0"
  Call Rollback
  MessageBox MB_OK|MB_ICONSTOP "$(InstallFailed)$\r$\n$R0$\r$\n$\r$\n$(NothingInstalled)" /SD IDOK
  SetErrorLevel ${EXIT_INSTALL_FAILURE}
  Pop $R0
  Abort
FunctionEnd

!macro Fail TEXT
  Push "${TEXT}"
  Call Fail
!macroend

; Before this run writes the file pushed, what is there now is copied under $PLUGINSDIR, to be put back if the
; run fails; the copies go with $PLUGINSDIR when the run has ended.
Function Keep
  Exch $R0
  Push $R1
  IntOp $JournalCount $JournalCount + 1
  WriteINIStr "${JOURNAL}" $JournalCount file "$R0"
  ${If} ${FileExists} "$R0"
  ${AndIfNot} ${FileExists} "$R0\*.*"
    StrCpy $R1 "$PLUGINSDIR\kept$JournalCount"
    WriteINIStr "${JOURNAL}" $JournalCount kept "$R1"
    System::Call 'kernel32::CopyFileW(w R0, w R1, i 0) i .R1'
    ${If} $R1 = 0
      !insertmacro Fail "$(CannotKeep) $R0"
    ${EndIf}
  ${EndIf}
  Pop $R1
  Pop $R0
FunctionEnd

; What was there before this run comes back, byte for byte; what it created goes, and so does its replacement
; that waits for the restart. Runs once, whichever way the install failed.
Function Rollback
  ${If} $RegistryTouched = 1
    ${If} $EarlierFolder == ""
      DeleteRegKey HKLM "${UNINSTALL_KEY}"
    ${Else}
      !insertmacro WriteEntry "$EarlierFolder" "$EarlierVersion"
    ${EndIf}
    ${If} $EarlierFilePath == ""
      DeleteRegValue HKLM "${TOOLS_KEY}" "FilePath"
      DeleteRegKey /ifempty HKLM "${TOOLS_KEY}"
      DeleteRegKey /ifempty HKLM "${MANUFACTURER_KEY}"
    ${Else}
      WriteRegStr HKLM "${TOOLS_KEY}" "FilePath" "$EarlierFilePath"
    ${EndIf}
    ${If} $EarlierCategory == ""
      !insertmacro Category Delete
    ${EndIf}
    StrCpy $RegistryTouched 0
  ${EndIf}
  ${DoWhile} $JournalCount > 0
    ReadINIStr $R1 "${JOURNAL}" $JournalCount file
    ReadINIStr $R2 "${JOURNAL}" $JournalCount kept
    ReadINIStr $R3 "${JOURNAL}" $JournalCount untouched
    ${If} $R3 = 1
      ; left as it was
    ${ElseIf} $R2 != ""
      System::Call 'kernel32::CopyFileW(w R2, w R1, i 0) i .R3'
      ${If} $R3 = 0
        !insertmacro Log "$(CannotRestore) $R1"
      ${Else}
        !insertmacro Log "$(Restored) $R1"
      ${EndIf}
    ${Else}
      Delete "$R1"
      ReadINIStr $R3 "${JOURNAL}" $JournalCount queued
      ${If} $R3 = 1
        Push "$R1"
        Call ForgetPending
        Pop $R3
      ${EndIf}
    ${EndIf}
    IntOp $JournalCount $JournalCount - 1
  ${Loop}
  ; The folders this run created, the innermost first; one that holds anything else now stays.
  ${DoWhile} $CreatedFolders > 0
    ReadINIStr $R1 "${JOURNAL}" folders $CreatedFolders
    RMDir "$R1"
    IntOp $CreatedFolders $CreatedFolders - 1
  ${Loop}
FunctionEnd

; Creates the install folder and the folders above it that are missing, each noted for Rollback.
Function MakeFolder
  StrCpy $R0 $INSTDIR
  ${DoUntil} ${FileExists} "$R0\*.*"
    IntOp $CreatedFolders $CreatedFolders + 1
    WriteINIStr "${JOURNAL}" folders $CreatedFolders "$R0"
    ${GetParent} $R0 $R0
    ${IfThen} $R0 == "" ${|} ${ExitDo} ${|}
  ${Loop}
  ${If} $CreatedFolders > 0
    ClearErrors
    CreateDirectory "$INSTDIR"
    ${If} ${Errors}
    ${OrIfNot} ${FileExists} "$INSTDIR\*.*"
      !insertmacro Fail "$(CannotCreateFolder) $INSTDIR"
    ${EndIf}
  ${EndIf}
FunctionEnd

; The install folder by its full, resolved path, the one name it has for every process and every logon: no
; short names, no "." or "\\" and, since Vista, not through a junction or a subst drive (which exists for one
; logon only). The applet reads it from FilePath; the next install finds it in the entry.
Function ResolveFolder
  StrCpy $R3 $INSTDIR
  System::Call 'kernel32::GetFullPathNameW(w R3, i ${NSIS_MAX_STRLEN}, w .R0, p 0) i .R1'
  ${If} $R1 > 0
  ${AndIf} $R1 < ${NSIS_MAX_STRLEN}
    StrCpy $R3 $R0
  ${EndIf}
  System::Call 'kernel32::GetLongPathNameW(w R3, w .R0, i ${NSIS_MAX_STRLEN}) i .R1'
  ${If} $R1 > 0
  ${AndIf} $R1 < ${NSIS_MAX_STRLEN}
    StrCpy $R3 $R0
  ${EndIf}
  ${If} ${AtLeastWinVista}
    System::Call 'kernel32::CreateFileW(w R3, i 0x80, i 7, p 0, i 3, i 0x02000000, p 0) p .R2'
    ${If} $R2 P<> -1
      ; VOLUME_NAME_DOS: "\\?\C:\..." or "\\?\UNC\server\share\..."
      System::Call 'kernel32::GetFinalPathNameByHandleW(p R2, w .R0, i ${NSIS_MAX_STRLEN}, i 0) i .R1'
      System::Call 'kernel32::CloseHandle(p R2)'
      ${If} $R1 > 0
      ${AndIf} $R1 < ${NSIS_MAX_STRLEN}
        StrCpy $R1 $R0 8
        StrCpy $R2 $R0 4
        ${If} $R1 == "\\?\UNC\"
          StrCpy $R0 $R0 "" 8
          StrCpy $R3 "\\$R0"
        ${ElseIf} $R2 == "\\?\"
          StrCpy $R3 $R0 "" 4
        ${EndIf}
      ${EndIf}
    ${EndIf}
  ${EndIf}
  !insertmacro TrimEnd $R3 1
  StrCpy $INSTDIR $R3
FunctionEnd

; Puts the file pushed second in the place of the file pushed last, at the next restart: it waits beside it as
; ".new". For a file held open, and for a file whose removal at the restart this run cannot take back, which
; the rename, queued after it, then undoes.
Function PlaceAtRestart
  Exch $R0 ; where it goes
  Exch
  Exch $R1 ; what goes there
  Push $R2
  Push $R3
  StrCpy $R3 "$R0.new"
  Push $R3
  Call Keep
  System::Call 'kernel32::CopyFileW(w R1, w R3, i 0) i .R2'
  ${If} $R2 = 0
    !insertmacro Fail "$(CannotWrite) $R0.new"
  ${EndIf}
  ClearErrors
  Rename /REBOOTOK "$R0.new" "$R0"
  ${If} ${Errors}
    !insertmacro Fail "$(CannotWrite) $R0"
  ${EndIf}
  WriteINIStr "${JOURNAL}" $JournalCount queued 1
  !insertmacro Log "$(InUse) $R0"
  Pop $R3
  Pop $R2
  Pop $R1
  Pop $R0
FunctionEnd

; Puts the packed file NAME into FOLDER, keeping what was there. A file held open there (lintara.cpl in an
; open Control Panel, a running brennick.exe) cannot be replaced: the new one then takes its place at the next
; restart. Any other failure stops the install.
!macro PlaceFile NAME FOLDER
  File "/oname=$PLUGINSDIR\${NAME}" "${BIN}/${NAME}"
  Push "${FOLDER}\${NAME}"
  Push "$PLUGINSDIR\${NAME}"
  Call PlaceFile
!macroend

Function PlaceFile
  Pop $R0 ; the packed file, unpacked
  Pop $R1 ; where it goes
  Push $R1
  Call Keep
  System::Call 'kernel32::CopyFileW(w R0, w R1, i 0) i .R2'
  ${If} $R2 <> 0
    WriteINIStr "${JOURNAL}" $JournalCount placed 1
    !insertmacro Log "$(Placed) $R1"
    Return
  ${EndIf}
  Push "$R1"
  Call InUse
  Pop $R2
  ${If} $R2 = 0
    !insertmacro Fail "$(CannotWrite) $R1"
  ${EndIf}
  ; Held open, it was not written: a failure has nothing to put back there.
  WriteINIStr "${JOURNAL}" $JournalCount untouched 1
  Push $R0
  Push $R1
  Call PlaceAtRestart
FunctionEnd

; For the files this run placed, nothing that waits for the restart may undo them: an earlier uninstall's
; removal of a file held open then, an earlier install's replacement (".new") still waiting. Where such a
; removal cannot be taken back, the file is queued again after it.
Function Settle
  StrCpy $R0 $JournalCount
  StrCpy $R3 0
  ${DoWhile} $R3 < $R0
    IntOp $R3 $R3 + 1
    ReadINIStr $R1 "${JOURNAL}" $R3 placed
    ${If} $R1 = 1
      ReadINIStr $R1 "${JOURNAL}" $R3 file
      Delete "$R1.new"
      Push "$R1"
      Call ForgetPending
      Pop $R2
      ${If} $R2 = 0
        Push "$R1"
        Push "$R1"
        Call PlaceAtRestart
      ${EndIf}
    ${EndIf}
  ${Loop}
FunctionEnd

Section "-Tavrex"
  SetRegView 32
  InitPluginsDir
  StrCpy $RemoveFailed 0
  ReadRegStr $EarlierFolder HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ReadRegStr $EarlierVersion HKLM "${UNINSTALL_KEY}" "DisplayVersion"
  ReadRegStr $EarlierFilePath HKLM "${TOOLS_KEY}" "FilePath"
  ReadRegDWORD $EarlierCategory HKLM "${CATEGORY_KEY}" "$SystemFolder\lintara.cpl"

  Call MakeFolder
  Call ResolveFolder

  ; The new install stands whole before anything of an earlier one goes.
  !insertmacro PlaceFile "brennick.exe" "$INSTDIR"
  !insertmacro PlaceFile "lintara.cpl" "$SystemFolder"
  Push "$INSTDIR\${UNINSTALLER}"
  Call Keep
  ClearErrors
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  ${If} ${Errors}
    !insertmacro Fail "$(CannotWrite) $INSTDIR\${UNINSTALLER}"
  ${EndIf}
  WriteINIStr "${JOURNAL}" $JournalCount placed 1

  ${GetSize} "$INSTDIR" "/S=0K" $1 $2 $3
  ${GetSize} "$SystemFolder" "/M=lintara.cpl /S=0K /G=0" $2 $3 $4
  IntOp $1 $1 + $2
  StrCpy $RegistryTouched 1
  ClearErrors
  !insertmacro WriteEntry "$INSTDIR" "${VERSION}"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $1
  ; The applet appends "\brennick.exe" itself; the folder has no trailing backslash.
  WriteRegStr HKLM "${TOOLS_KEY}" "FilePath" "$INSTDIR"
  !insertmacro Category Write
  ${If} ${Errors}
    !insertmacro Fail "$(CannotWriteRegistry) HKLM\${UNINSTALL_KEY}, HKLM\${TOOLS_KEY}, HKLM\${CATEGORY_KEY}"
  ${EndIf}
  Call Settle
  StrCpy $RegistryTouched 0
  StrCpy $JournalCount 0
  StrCpy $CreatedFolders 0
  !insertmacro Log "$(Registered) $INSTDIR"

  ; Installing into another folder than the last install moves it: now that the new one stands, what the
  ; earlier one put there goes. The user's own files stay, and with them the folder. The same folder under
  ; another spelling is no move: its files are the ones just placed.
  Push $EarlierFolder
  Push $INSTDIR
  Call SameFolder
  Pop $R0
  ${If} $EarlierFolder != ""
  ${AndIf} $R0 = 0
    Delete "$EarlierFolder\brennick.exe.new"
    Push "$EarlierFolder\brennick.exe"
    Call RemoveOurFile
    Push "$EarlierFolder\${UNINSTALLER}"
    Call RemoveOurFile
    Push "$EarlierFolder"
    Call RemoveFolder
    !insertmacro Log "$(Moved) $EarlierFolder"
  ${EndIf}

  ${If} ${RebootFlag}
    MessageBox MB_OK|MB_ICONINFORMATION "$(ReplacedAtRestart)" /SD IDOK
    SetErrorLevel ${EXIT_REBOOT_REQUIRED}
  ${Else}
    SetErrorLevel 0
  ${EndIf}
SectionEnd

Function .onInstSuccess
  ${If} ${RebootFlag}
    !insertmacro Log "  exit ${EXIT_REBOOT_REQUIRED}"
  ${Else}
    !insertmacro Log "  exit 0"
  ${EndIf}
FunctionEnd

; Also where NSIS itself gave up (a file it could not unpack, the user's cancel after a failure).
Function .onInstFailed
  Call Rollback
  SetErrorLevel ${EXIT_INSTALL_FAILURE}
  !insertmacro Log "  exit ${EXIT_INSTALL_FAILURE}"
FunctionEnd

; ---- Uninstalling ------------------------------------------------------------------------------------

Function un.onInit
  SetRegView 32
  Call un.LogStart
  !insertmacro RequireAdministrator "un."
  !insertmacro FindSystemFolder
  ; A copy started by NSIS itself is given the folder with a trailing backslash.
  StrCpy $0 $INSTDIR 1 -1
  ${If} $0 == "\"
    StrCpy $INSTDIR $INSTDIR -1
  ${EndIf}
FunctionEnd

!macro UnLog TEXT
  Push "${TEXT}"
  Call un.Log
!macroend

; Stops the uninstall with 1603. Whatever is left (the entry and this uninstaller among it) stays as it is, so
; that running the uninstall again, once the cause is gone, finishes the job.
Function un.Fail
  MessageBox MB_OK|MB_ICONSTOP "$(UninstallFailed)" /SD IDOK
  SetErrorLevel ${EXIT_INSTALL_FAILURE}
  Abort
FunctionEnd

; NSIS keeps its own file open for as long as it runs, without leave to rename it. The uninstall is done and
; reads nothing more from it: the handles this process holds on that file are closed, so that it can be renamed.
Function un.ReleaseOwnFile
  Push $R0
  Push $R1
  Push $R2
  Push $EXEPATH
  Call un.Identity
  Pop $R0
  StrCpy $R1 4
  ${DoWhile} $R1 < 4096
    System::Call 'kernel32::GetFileType(p R1) i .R2'
    ${If} $R2 = 1 ; FILE_TYPE_DISK
      Push $R1
      Call un.HandleIdentity
      Pop $R2
      ${If} $R2 == $R0
        System::Call 'kernel32::CloseHandle(p R1)'
      ${EndIf}
    ${EndIf}
    IntOp $R1 $R1 + 4
  ${Loop}
  Pop $R2
  Pop $R1
  Pop $R0
FunctionEnd

; Pushes 1 when the folder pushed is the one the entry (or, without an entry, FilePath) names, by identity.
Function un.IsCurrentInstall
  Exch $R0
  Push $R1
  ReadRegStr $R1 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $R1 == ""
    ReadRegStr $R1 HKLM "${TOOLS_KEY}" "FilePath"
  ${EndIf}
  Push $R1
  Push $R0
  Call un.SameFolder
  Pop $R0
  Pop $R1
  Exch $R0
FunctionEnd

Section "Uninstall"
  SetRegView 32
  StrCpy $RemoveFailed 0
  ; Only the install that the entry names is taken away whole. An uninstaller left behind in an earlier folder
  ; takes only that folder's files of ours: lintara.cpl, FilePath and the entry belong to the current install.
  Push $INSTDIR
  Call un.IsCurrentInstall
  Pop $R9
  ${If} $R9 = 0
    !insertmacro UnLog "$(NotCurrentInstall) $INSTDIR"
  ${EndIf}
  ; A replacement still waiting for a restart would bring a file back after the uninstall.
  Delete "$INSTDIR\brennick.exe.new"
  Push "$INSTDIR\brennick.exe"
  Call un.RemoveOurFile
  ${If} $R9 = 1
    Delete "$SystemFolder\lintara.cpl.new"
    Push "$SystemFolder\lintara.cpl"
    Call un.RemoveOurFile
  ${EndIf}
  ${If} $RemoveFailed = 1
    Call un.Fail
  ${EndIf}

  ${If} $R9 = 1
    !insertmacro Category Delete
    ; "FilePath" goes only while it still names this install's folder.
    ReadRegStr $0 HKLM "${TOOLS_KEY}" "FilePath"
    Push $0
    Push $INSTDIR
    Call un.SameFolder
    Pop $0
    ${If} $0 = 1
      DeleteRegValue HKLM "${TOOLS_KEY}" "FilePath"
    ${EndIf}
    ; The entry goes last: while it is there, the uninstall can be run again.
    ClearErrors
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    ${If} ${Errors}
      Call un.Fail
    ${EndIf}
    DeleteRegKey /ifempty HKLM "${TOOLS_KEY}"
    DeleteRegKey /ifempty HKLM "${MANUFACTURER_KEY}"
    !insertmacro UnLog "$(Unregistered) HKLM\${UNINSTALL_KEY}"
  ${EndIf}

  ; Run in place (_?=), the uninstaller cannot remove its own file while it runs. It renames it to a name no
  ; install has, so that what removes it cannot hit an uninstall.exe installed meanwhile, and a command
  ; processor that the system already has removes that name, and then the folder if it is empty, a moment
  ; after this process ends. cmd.exe is handed both paths in its environment: Windows' expands them once and
  ; does not scan what they hold, so a "%" in a folder's name is only a character (Wine's cmd.exe scans them
  ; again). Run from a copy of itself elsewhere, it removes the file now.
  Push $EXEDIR
  Push $INSTDIR
  Call un.SameFolder
  Pop $0
  ${If} $0 = 1
    System::Call 'kernel32::GetCurrentProcessId() i .r1'
    System::Call 'kernel32::GetTickCount() i .r2'
    StrCpy $1 "$INSTDIR\${LEAVING}$1-$2.tmp"
    Call un.ReleaseOwnFile
    ClearErrors
    Rename "$EXEPATH" "$1"
    ${If} ${Errors}
      !insertmacro UnLog "$(CannotRemove) $EXEPATH"
    ${Else}
      StrCpy $2 $INSTDIR
      System::Call 'kernel32::SetEnvironmentVariableW(w "TAVREX_LEAVING", w r1)'
      System::Call 'kernel32::SetEnvironmentVariableW(w "TAVREX_FOLDER", w r2)'
      SetOutPath "$TEMP" ; its working folder, which would otherwise hold the folder it is to remove
      ExecShell "open" "$SYSDIR\cmd.exe" '/d /q /c for /l %i in (1,1,60) do @(ping -n 2 127.0.0.1 >nul & \
        del /f /q "%TAVREX_LEAVING%" 2>nul & if not exist "%TAVREX_LEAVING%" (rd "%TAVREX_FOLDER%" 2>nul & exit))' \
        SW_HIDE
      !insertmacro UnLog "$(UninstallerLater) $EXEPATH"
    ${EndIf}
  ${Else}
    Delete "$INSTDIR\${UNINSTALLER}"
  ${EndIf}
  ${If} $0 = 0
  ${OrIf} ${FileExists} "$INSTDIR\brennick.exe"
    Push "$INSTDIR"
    Call un.RemoveFolder
  ${EndIf}

  ${If} ${RebootFlag}
    MessageBox MB_OK|MB_ICONINFORMATION "$(RemovedAtRestart)" /SD IDOK
    SetErrorLevel ${EXIT_REBOOT_REQUIRED}
  ${Else}
    SetErrorLevel 0
  ${EndIf}
SectionEnd

Function un.onUninstSuccess
  ${If} ${RebootFlag}
    !insertmacro UnLog "  exit ${EXIT_REBOOT_REQUIRED}"
  ${Else}
    !insertmacro UnLog "  exit 0"
  ${EndIf}
FunctionEnd

Function un.onUninstFailed
  SetErrorLevel ${EXIT_INSTALL_FAILURE}
  !insertmacro UnLog "  exit ${EXIT_INSTALL_FAILURE}"
FunctionEnd
