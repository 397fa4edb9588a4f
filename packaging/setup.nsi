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
;
; The build runs: makensis -INPUTCHARSET UTF8 -DVERSION=a.b.c.d -DBIN=<folder of the two files>
;                          -DOUTFILE=<setup.exe> [-DSIGN=<command that signs the file named after it>] setup.nsi
; Silent: setup.exe /S [/D=folder]  (/D last, unquoted); "uninstall.exe" /S _?=<its folder>.

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

; The system folder 32-bit programs see, by the name that is the same for every process: on 64-bit Windows
; SysWOW64, not the System32 that the 32-bit installer is redirected from, because a replacement deferred to
; the next restart is carried out by the 64-bit system, which would take "System32" literally.
Var SystemFolder
; What was there before this run, so that a failure can leave it as it was.
Var EarlierFolder
Var EarlierVersion
Var EarlierFilePath
; Files and the folder this run created (1) and takes away again if it fails.
Var CreatedBrennick
Var CreatedCpl
Var CreatedUninstaller
Var CreatedFolder
Var RegistryTouched
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

!macro DefineHelpers UN
  ; Shows a line in the details and, under /S, appends it to the log. Leaves the error flag as it was.
  Function ${UN}Log
    Exch $R0
    Push $R1
    Push $R2
    Push $R3
    StrCpy $R2 0
    IfErrors 0 +2
      StrCpy $R2 1
    DetailPrint "$R0"
    ${If} ${Silent}
      ; UTF-16 with its byte order mark: paths and texts read the same on every Windows, whatever its code page.
      FileOpen $R1 "${LOG_FILE}" a
      ${IfNot} ${Errors}
        FileSeek $R1 0 END $R3
        ${If} $R3 = 0
          FileWriteWord $R1 0xFEFF
        ${EndIf}
        FileWriteUTF16LE $R1 "$R0$\r$\n"
        FileClose $R1
      ${EndIf}
    ${EndIf}
    ClearErrors
    ${If} $R2 = 1
      SetErrors
    ${EndIf}
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

  ; Removes a file of ours. One held open goes at the next restart (which sets the reboot flag); one that
  ; cannot be removed for another reason stays, and RemoveFailed says so.
  Function ${UN}RemoveOurFile
    Exch $R0
    Push $R1
    ${If} ${FileExists} "$R0"
      ClearErrors
      Delete "$R0"
      ${If} ${Errors}
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
    ClearErrors
    RMDir "$R0"
    ${If} ${FileExists} "$R0\*.*"
      StrCpy $R3 1 ; only ours left
      FindFirst $R1 $R2 "$R0\*.*"
      ${DoUntil} $R2 == ""
        ${IfNot} $R2 == "."
        ${AndIfNot} $R2 == ".."
        ${AndIfNot} $R2 == "brennick.exe"
        ${AndIfNot} $R2 == "${UNINSTALLER}"
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

; ---- Installing --------------------------------------------------------------------------------------

Function .onInit
  SetRegView 32
  Call LogStart
  !insertmacro RequireAdministrator ""
  !insertmacro FindSystemFolder
  ; NSIS replaces a /D= folder that it cannot use (a file on its path, a drive that does not exist, a drive's
  ; root) with the default or the remembered one, and takes /D= off $CMDLINE. The process's own command line
  ; still has it: a folder asked for that is not the one about to be used is a failure, not a surprise.
  System::Call 'kernel32::GetCommandLineW() w .R0'
  StrLen $R2 $R0
  StrCpy $R1 0
  ${DoWhile} $R1 < $R2
    StrCpy $R3 $R0 4 $R1
    ${If} $R3 S== " /D="
      IntOp $R1 $R1 + 4
      StrCpy $R3 $R0 "" $R1
      StrCpy $R4 $R3 1 -1
      ${If} $R4 == "\"
        StrCpy $R3 $R3 -1
      ${EndIf}
      StrCpy $R4 $INSTDIR 1 -1
      StrCpy $R5 $INSTDIR
      ${If} $R4 == "\"
        StrCpy $R5 $R5 -1
      ${EndIf}
      ${If} $R3 != $R5
        !insertmacro Log "$(FolderUnusable) $R3"
        MessageBox MB_OK|MB_ICONSTOP "$(FolderUnusable) $R3" /SD IDOK
        !insertmacro Log "  exit ${EXIT_INSTALL_FAILURE}"
        SetErrorLevel ${EXIT_INSTALL_FAILURE}
        Quit
      ${EndIf}
      ${Break}
    ${EndIf}
    IntOp $R1 $R1 + 1
  ${Loop}
FunctionEnd

; Stops the install: says why, takes away what this run created, and exits with 1603.
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

; What this run created goes; what was there before stays. Runs once, whichever way the install failed.
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
    StrCpy $RegistryTouched 0
  ${EndIf}
  ${If} $CreatedUninstaller = 1
    Delete "$INSTDIR\${UNINSTALLER}"
    StrCpy $CreatedUninstaller 0
  ${EndIf}
  ${If} $CreatedBrennick = 1
    Delete "$INSTDIR\brennick.exe"
    StrCpy $CreatedBrennick 0
  ${EndIf}
  ${If} $CreatedCpl = 1
    Delete "$SystemFolder\lintara.cpl"
    StrCpy $CreatedCpl 0
  ${EndIf}
  ${If} $CreatedFolder = 1
    RMDir "$INSTDIR"
    StrCpy $CreatedFolder 0
  ${EndIf}
FunctionEnd

; Puts the packed file NAME into FOLDER and sets CREATED to 1 when it was not there before. A file held open
; there (lintara.cpl in an open Control Panel, a running brennick.exe) cannot be replaced: the new one then
; waits beside it and takes its place at the next restart. Any other failure stops the install.
!macro PlaceFile NAME FOLDER CREATED
  ${IfNot} ${FileExists} "${FOLDER}\${NAME}"
    StrCpy ${CREATED} 1
  ${EndIf}
  File "/oname=$PLUGINSDIR\${NAME}" "${BIN}/${NAME}"
  Push "${FOLDER}\${NAME}"
  Push "$PLUGINSDIR\${NAME}"
  Call PlaceFile
!macroend

Function PlaceFile
  Pop $R0 ; the packed file, unpacked
  Pop $R1 ; where it goes
  System::Call 'kernel32::CopyFileW(w R0, w R1, i 0) i .R2'
  ${If} $R2 <> 0
    ; What an earlier install left waiting for a restart would otherwise replace this newer file then.
    Delete "$R1.new"
    !insertmacro Log "$(Placed) $R1"
    Return
  ${EndIf}
  Push "$R1"
  Call InUse
  Pop $R2
  ${If} $R2 = 0
    !insertmacro Fail "$(CannotWrite) $R1"
  ${EndIf}
  System::Call 'kernel32::CopyFileW(w R0, w "$R1.new", i 0) i .R2'
  ${If} $R2 = 0
    !insertmacro Fail "$(CannotWrite) $R1.new"
  ${EndIf}
  ClearErrors
  Rename /REBOOTOK "$R1.new" "$R1"
  ${If} ${Errors}
    !insertmacro Fail "$(CannotWrite) $R1"
  ${EndIf}
  !insertmacro Log "$(InUse) $R1"
FunctionEnd

Section "-Tavrex"
  SetRegView 32
  InitPluginsDir
  StrCpy $RemoveFailed 0
  ReadRegStr $EarlierFolder HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ReadRegStr $EarlierVersion HKLM "${UNINSTALL_KEY}" "DisplayVersion"
  ReadRegStr $EarlierFilePath HKLM "${TOOLS_KEY}" "FilePath"

  ${IfNot} ${FileExists} "$INSTDIR\*.*"
    StrCpy $CreatedFolder 1
    ClearErrors
    CreateDirectory "$INSTDIR"
    ${If} ${Errors}
    ${OrIfNot} ${FileExists} "$INSTDIR\*.*"
      !insertmacro Fail "$(CannotCreateFolder) $INSTDIR"
    ${EndIf}
  ${EndIf}
  SetOutPath "$INSTDIR"

  ; The new install stands whole before anything of an earlier one goes.
  !insertmacro PlaceFile "brennick.exe" "$INSTDIR" $CreatedBrennick
  !insertmacro PlaceFile "lintara.cpl" "$SystemFolder" $CreatedCpl
  ${IfNot} ${FileExists} "$INSTDIR\${UNINSTALLER}"
    StrCpy $CreatedUninstaller 1
  ${EndIf}
  ClearErrors
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  ${If} ${Errors}
    !insertmacro Fail "$(CannotWrite) $INSTDIR\${UNINSTALLER}"
  ${EndIf}

  ${GetSize} "$INSTDIR" "/S=0K" $1 $2 $3
  ${GetSize} "$SystemFolder" "/M=lintara.cpl /S=0K /G=0" $2 $3 $4
  IntOp $1 $1 + $2
  StrCpy $RegistryTouched 1
  ClearErrors
  !insertmacro WriteEntry "$INSTDIR" "${VERSION}"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $1
  ; The applet appends "\brennick.exe" itself; NSIS gives the folder without a trailing backslash.
  WriteRegStr HKLM "${TOOLS_KEY}" "FilePath" "$INSTDIR"
  ${If} ${Errors}
    !insertmacro Fail "$(CannotWriteRegistry) HKLM\${UNINSTALL_KEY}, HKLM\${TOOLS_KEY}"
  ${EndIf}
  StrCpy $RegistryTouched 0
  !insertmacro Log "$(Registered) $INSTDIR"

  ; Installing into another folder than the last install moves it: now that the new one stands, what the
  ; earlier one put there goes. The user's own files stay, and with them the folder.
  ${If} $EarlierFolder != ""
  ${AndIf} $EarlierFolder != $INSTDIR
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
  ; A copy started by NSIS itself is given the folder with a trailing backslash; FilePath and the uninstaller's
  ; own folder are compared without one.
  StrCpy $0 $INSTDIR 1 -1
  ${If} $0 == "\"
    StrCpy $INSTDIR $INSTDIR -1
  ${EndIf}
FunctionEnd

!macro UnLog TEXT
  Push "${TEXT}"
  Call un.Log
!macroend

Section "Uninstall"
  SetRegView 32
  StrCpy $RemoveFailed 0
  ; A replacement still waiting for a restart would bring a file back after the uninstall.
  Delete "$INSTDIR\brennick.exe.new"
  Delete "$SystemFolder\lintara.cpl.new"
  Push "$INSTDIR\brennick.exe"
  Call un.RemoveOurFile
  Push "$SystemFolder\lintara.cpl"
  Call un.RemoveOurFile
  ${If} $RemoveFailed = 1
    ; Something of ours stays: the entry and the uninstaller stay with it, so that the uninstall can be run
    ; again once the cause is gone.
    MessageBox MB_OK|MB_ICONSTOP "$(UninstallFailed)" /SD IDOK
    SetErrorLevel ${EXIT_INSTALL_FAILURE}
    Abort
  ${EndIf}

  ; "FilePath" goes only while it still names this install's folder.
  ReadRegStr $0 HKLM "${TOOLS_KEY}" "FilePath"
  ClearErrors
  ${If} $0 == $INSTDIR
    DeleteRegValue HKLM "${TOOLS_KEY}" "FilePath"
  ${EndIf}
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ${If} ${Errors}
    MessageBox MB_OK|MB_ICONSTOP "$(UninstallFailed)" /SD IDOK
    SetErrorLevel ${EXIT_INSTALL_FAILURE}
    Abort
  ${EndIf}
  DeleteRegKey /ifempty HKLM "${TOOLS_KEY}"
  DeleteRegKey /ifempty HKLM "${MANUFACTURER_KEY}"
  !insertmacro UnLog "$(Unregistered) HKLM\${UNINSTALL_KEY}"

  ; Run in place (_?=), the uninstaller cannot remove its own file while it runs: a command processor that
  ; the system already has removes it, and then the folder if it is empty, a moment after this process ends.
  ; Run from a copy of itself elsewhere, it removes the file now.
  ${If} $EXEDIR == $INSTDIR
    SetOutPath "$TEMP" ; its working folder, which would otherwise hold the folder it is to remove
    ExecShell "open" "$SYSDIR\cmd.exe" '/d /q /c for /l %i in (1,1,60) do @(ping -n 2 127.0.0.1 >nul & \
      del /f /q "$INSTDIR\${UNINSTALLER}" 2>nul & if not exist "$INSTDIR\${UNINSTALLER}" (rd "$INSTDIR" 2>nul & exit))' SW_HIDE
    !insertmacro UnLog "$(UninstallerLater) $INSTDIR\${UNINSTALLER}"
  ${Else}
    Delete "$INSTDIR\${UNINSTALLER}"
  ${EndIf}
  ${If} $EXEDIR != $INSTDIR
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
