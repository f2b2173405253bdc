; The MERVA95 setup program: merva95, the macro editor, KORV32.DLL as a
; counted shared library, help, examples, the Start-menu group, the file
; association and the Add/Remove Programs entry. It installs exactly what
; "merva95.exe /uninstall" removes; the program itself is the uninstaller.
;
;   makensis -DBUILD_DIR=<build tree> -DSOURCE_DIR=<repository> -DOUT_FILE=<setup.exe> [-DWIN64] merva95.nsi
;
; WIN64 makes the x86_64 setup that the tests run under wine64; the shipped
; setup is the 32-bit one.

!ifndef BUILD_DIR | SOURCE_DIR | OUT_FILE
  !error "define BUILD_DIR, SOURCE_DIR and OUT_FILE"
!endif

Unicode true
!ifdef WIN64
  Target amd64-unicode
!endif
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!define PRODUCT "MERVA95"
!define GROUP "MERVA95"
!define WINDOWS_KEY "Software\Microsoft\Windows\CurrentVersion"
!define REMOVAL_KEY "${WINDOWS_KEY}\Uninstall\${GROUP}"
!define APP_PATH_KEY "${WINDOWS_KEY}\App Paths\merva95.exe"
!define SHARED_KEY "${WINDOWS_KEY}\SharedDLLs"

Name "${PRODUCT}"
OutFile "${OUT_FILE}"
!ifdef WIN64
  InstallDir "$PROGRAMFILES64\${PRODUCT}"
!else
  InstallDir "$PROGRAMFILES\${PRODUCT}"
!endif
; An upgrade goes where the last install went.
InstallDirRegKey HKLM "${APP_PATH_KEY}" "Path"

!include "MUI2.nsh"
!include "x64.nsh"
!include "LogicLib.nsh"
!include "StrFunc.nsh"
${StrStr}

!define MUI_ICON "${SOURCE_DIR}\app\artwork\merva.ico"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "This will install MERVA95, the plotting and data-processing program for measured X,Y data, with its macro editor and help.$\r$\n$\r$\nYour settings and macros are kept when you install over an earlier copy.$\r$\n$\r$\nClick Next to continue."
!define MUI_FINISHPAGE_RUN "$INSTDIR\merva95.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start MERVA95"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_LANGUAGE "English"

Var LibraryPath
Var Upgrade

Function .onInit
  !ifdef WIN64
    ${IfNot} ${RunningX64}
      MessageBox MB_OK|MB_ICONSTOP "This setup is for 64-bit Windows."
      Abort
    ${EndIf}
    SetRegView 64
  !endif
FunctionEnd

; The path the program finds its library by: a 32-bit program on 64-bit
; Windows loads it from SysWOW64. The uninstaller looks the count up by it.
Function FindLibraryPath
  !ifdef WIN64
    StrCpy $LibraryPath "$SYSDIR\KORV32.DLL"
  !else
    ${If} ${RunningX64}
      StrCpy $LibraryPath "$WINDIR\SysWOW64\KORV32.DLL"
    ${Else}
      StrCpy $LibraryPath "$SYSDIR\KORV32.DLL"
    ${EndIf}
  !endif
FunctionEnd

Section "MERVA95"
  SetShellVarContext all
  Call FindLibraryPath
  ; Installing over this program again must not count its library twice.
  StrCpy $Upgrade 0
  IfFileExists "$INSTDIR\merva95.exe" 0 +2
    StrCpy $Upgrade 1

  SetOutPath "$INSTDIR"
  File "${BUILD_DIR}\app\merva95.exe"
  !if /FileExists "${BUILD_DIR}\macroeditor\mvmac95.exe"
    File "/oname=MVMAC95.EXE" "${BUILD_DIR}\macroeditor\mvmac95.exe"
  !endif
  File "${SOURCE_DIR}\examples\EX0*.GRF"
  SetOutPath "$INSTDIR\help"
  File "${BUILD_DIR}\app\help\*.*"
  ; The user's macros live here; an upgrade never touches them.
  CreateDirectory "$INSTDIR\MACROS"

  SetOutPath "$INSTDIR"
  ; A newer library another program brought stays; ours replaces an older one.
  SetOverwrite ifnewer
  File "/oname=$LibraryPath" "${BUILD_DIR}\korvlib\korv32.dll"
  SetOverwrite on
  ReadRegDWORD $0 HKLM "${SHARED_KEY}" "$LibraryPath"
  ${If} $Upgrade == 0
  ${OrIf} $0 == ""
  ${OrIf} $0 == 0
    IntOp $0 $0 + 1
  ${EndIf}
  WriteRegDWORD HKLM "${SHARED_KEY}" "$LibraryPath" $0

  Call WriteAssociation
  WriteRegStr HKLM "${APP_PATH_KEY}" "" "$INSTDIR\merva95.exe"
  WriteRegStr HKLM "${APP_PATH_KEY}" "Path" "$INSTDIR"
  WriteRegStr HKLM "${REMOVAL_KEY}" "DisplayName" "MERVA95"
  WriteRegStr HKLM "${REMOVAL_KEY}" "UninstallString" '"$INSTDIR\merva95.exe" /uninstall'
  WriteRegStr HKLM "${REMOVAL_KEY}" "DisplayIcon" "$INSTDIR\merva95.exe,0"
  WriteRegStr HKLM "${REMOVAL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegDWORD HKLM "${REMOVAL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${REMOVAL_KEY}" "NoRepair" 1

  CreateDirectory "$SMPROGRAMS\${GROUP}"
  CreateShortcut "$SMPROGRAMS\${GROUP}\MERVA95.lnk" "$INSTDIR\merva95.exe"
  !if /FileExists "${BUILD_DIR}\macroeditor\mvmac95.exe"
    CreateShortcut "$SMPROGRAMS\${GROUP}\MERVA Macro Editor.lnk" "$INSTDIR\MVMAC95.EXE"
  !endif
  CreateShortcut "$SMPROGRAMS\${GROUP}\MERVA95 Help.lnk" "$INSTDIR\help\index.html"
  CreateShortcut "$SMPROGRAMS\${GROUP}\Uninstall MERVA95.lnk" "$INSTDIR\merva95.exe" "/uninstall"
SectionEnd

; The association as the program writes it at start-up, so that the shell
; can open plot files before the first start.
Function WriteAssociation
  StrCpy $0 "$INSTDIR\merva95.exe"
  ; Quoted only when the path holds a blank, as the program writes it.
  StrCpy $1 $0
  ${StrStr} $2 $0 " "
  ${If} $2 != ""
    StrCpy $1 '"$0"'
  ${EndIf}
  WriteRegStr HKCR "MERVAW" "" "MERVA File"
  WriteRegStr HKCR "MERVAW\DefaultIcon" "" "$0,1"
  WriteRegStr HKCR "MERVAW\shell\open\command" "" "$1"
  WriteRegStr HKCR "MERVAW\shell\open\ddeexec" "" '[FileOpen("%1")]'
  WriteRegStr HKCR "MERVAW\shell\open\ddeexec\application" "" "MERVAW"
  WriteRegStr HKCR "MERVAW\shell\open\ddeexec\topic" "" "ROZAVA"
  WriteRegStr HKCR "MERVAW\shell\print\command" "" "$1"
  WriteRegStr HKCR "MERVAW\shell\print\ddeexec" "" '[FileOpen("%1")][FilePrint()][FileClose()]'
  WriteRegStr HKCR "MERVAW\shell\print\ddeexec\application" "" "MERVAW"
  WriteRegStr HKCR "MERVAW\shell\print\ddeexec\topic" "" "ROZAVA"
  WriteRegStr HKCR "MERVAW\shell\print\ddeexec\ifexec" "" '[FileOpen("%1")][FilePrint()][FileExit()]'
  WriteRegStr HKCR ".grf" "" "MERVAW"
FunctionEnd
