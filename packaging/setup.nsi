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
; The build runs: makensis -INPUTCHARSET UTF8 -DVERSION=a.b.c.d -DBIN=<folder of the two files>
;                          -DOUTFILE=<setup.exe> setup.nsi
; Silent: setup.exe /S [/D=folder]  (/D last, unquoted); uninstall.exe /S.

Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestSupportedOS all

!ifndef VERSION | BIN | OUTFILE
  !error "define VERSION, BIN and OUTFILE (see the head of this file)"
!endif

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include x64.nsh

!define TOOLS_KEY "Software\Manufacturer\Tavrex"
!define MANUFACTURER_KEY "Software\Manufacturer"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavrex"
!define UNINSTALLER "uninstall.exe"
; What a Windows installer returns when it worked but a file waits for the next restart.
!define EXIT_REBOOT_REQUIRED 3010
!define EXIT_ELEVATION_REQUIRED 740

; The system folder 32-bit programs see, by the name that is the same for every process: on 64-bit Windows
; SysWOW64, not the System32 that the 32-bit installer is redirected from, because a replacement deferred to
; the next restart is carried out by the 64-bit system, which would take "System32" literally.
Var SystemFolder

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

; Puts file NAME into FOLDER. A file held open there (lintara.cpl in an open Control Panel, a running
; brennick.exe) cannot be deleted: the new one then waits beside it and takes its place at the next restart.
!macro PlaceFile NAME FOLDER
  SetOutPath "${FOLDER}"
  ClearErrors
  Delete "${FOLDER}\${NAME}"
  ${If} ${Errors}
    File "/oname=${NAME}.new" "${BIN}/${NAME}"
    Rename /REBOOTOK "${FOLDER}\${NAME}.new" "${FOLDER}\${NAME}"
    DetailPrint "$(InUse) ${FOLDER}\${NAME}"
  ${Else}
    File "${BIN}/${NAME}"
    ; What an earlier install left waiting for a restart would otherwise replace this newer file then.
    Delete "${FOLDER}\${NAME}.new"
  ${EndIf}
!macroend

!macro RequireAdministrator
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "admin"
    MessageBox MB_OK|MB_ICONSTOP "$(NeedAdministrator)" /SD IDOK
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

Function .onInit
  SetRegView 32
  !insertmacro RequireAdministrator
  !insertmacro FindSystemFolder
FunctionEnd

Function un.onInit
  SetRegView 32
  !insertmacro RequireAdministrator
  !insertmacro FindSystemFolder
FunctionEnd

Section "-Tavrex"
  SetRegView 32
  ; Installing into another folder than the last install moves it: what that install put there goes.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
  ${AndIf} $0 != $INSTDIR
    Delete /REBOOTOK "$0\brennick.exe"
    Delete "$0\${UNINSTALLER}"
    RMDir /REBOOTOK "$0"
  ${EndIf}
  !insertmacro PlaceFile "brennick.exe" "$INSTDIR"
  !insertmacro PlaceFile "lintara.cpl" "$SystemFolder"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  ; The applet appends "\brennick.exe" itself: the folder goes in without a trailing backslash, also for a
  ; drive's root ("C:").
  StrCpy $0 "$INSTDIR"
  StrCpy $1 "$0" 1 -1
  ${If} $1 == "\"
    StrCpy $0 "$0" -1
  ${EndIf}
  WriteRegStr HKLM "${TOOLS_KEY}" "FilePath" "$0"

  ${GetSize} "$INSTDIR" "/S=0K" $1 $2 $3
  ${GetSize} "$SystemFolder" "/M=lintara.cpl /S=0K /G=0" $2 $3 $4
  IntOp $1 $1 + $2
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "$(ProductName)"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Halvery"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\brennick.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1

  ${If} ${RebootFlag}
    MessageBox MB_OK|MB_ICONINFORMATION "$(ReplacedAtRestart)" /SD IDOK
    SetErrorLevel ${EXIT_REBOOT_REQUIRED}
  ${EndIf}
SectionEnd

Section "Uninstall"
  SetRegView 32
  ; A replacement still waiting for a restart would bring a file back after the uninstall.
  Delete "$INSTDIR\brennick.exe.new"
  Delete "$SystemFolder\lintara.cpl.new"
  Delete /REBOOTOK "$INSTDIR\brennick.exe"
  Delete /REBOOTOK "$SystemFolder\lintara.cpl"
  Delete "$INSTDIR\${UNINSTALLER}"
  ; Only an empty folder goes: whatever else the user put there stays.
  RMDir /REBOOTOK "$INSTDIR"

  ; "FilePath" goes only while it still names this install's folder.
  ReadRegStr $0 HKLM "${TOOLS_KEY}" "FilePath"
  StrCpy $1 "$INSTDIR"
  StrCpy $2 "$1" 1 -1
  ${If} $2 == "\"
    StrCpy $1 "$1" -1
  ${EndIf}
  ${If} $0 == $1
    DeleteRegValue HKLM "${TOOLS_KEY}" "FilePath"
  ${EndIf}
  DeleteRegKey /ifempty HKLM "${TOOLS_KEY}"
  DeleteRegKey /ifempty HKLM "${MANUFACTURER_KEY}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  ${If} ${RebootFlag}
    MessageBox MB_OK|MB_ICONINFORMATION "$(RemovedAtRestart)" /SD IDOK
  ${EndIf}
SectionEnd
