; The installer of トヴィ for 64-bit Windows, in Japanese.
;
; makensis -DVERSION=1.2.8 -DSTAGE=<folder of the files> -DOUTFILE=<setup.exe>
;          -DFILES=<install list> -DREMOVE=<uninstall list> -DLICENSE=<licence text>
;          -DICON=<tovi.ico> tovi.nsi
;
; It installs for the current user, without administrator rights, into
; %LOCALAPPDATA%\Programs\Tovi; run as administrator it installs for all
; users into Program Files.  The uninstaller removes the files the installer
; put there, by name, and the folders they leave empty: nothing else (the
; user's rosters stay wherever they are, even inside the folder).

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "x64.nsh"

!define PRODUCT "トヴィ"
!define PUBLISHER "Tovi developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tovi"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Tovi"
BrandingText "${PRODUCT} ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1041 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1041 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1041 "FileDescription" "${PRODUCT} セットアップ"
VIAddVersionKey /LANG=1041 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "LegalCopyright" "Copyright (c) 2026 Tovi developers"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
; The description under the list, so that the list takes the page's width.
!define MUI_COMPONENTSPAGE_SMALLDESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\tovi.exe"
!define MUI_FINISHPAGE_RUN_TEXT "トヴィを起動する"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

; Whether this run installs for all users: only when the installer was
; started with administrator rights.
Var AllUsers

!macro ChooseUsers
  StrCpy $AllUsers 0
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 == "Admin"
    StrCpy $AllUsers 1
    SetShellVarContext all
  ${Else}
    SetShellVarContext current
  ${EndIf}
!macroend

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_ICONSTOP "このプログラムは 64 ビット版の Windows で動きます。"
    Abort
  ${EndIf}
  SetRegView 64
  !insertmacro ChooseUsers
  ${If} $AllUsers == 1
    StrCpy $INSTDIR "$PROGRAMFILES64\Tovi"
  ${EndIf}
FunctionEnd

Function un.onInit
  SetRegView 64
  !insertmacro ChooseUsers
FunctionEnd

Section "トヴィ (必須)" SecProgram
  SectionIn RO
  !include "${FILES}"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The Start-menu entry starts the program in its own folder, where the
  ; help file is opened by its bare name.
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\tovi.exe" "" "$INSTDIR\tovi.exe" 0

  ; The entry in Windows' list of installed apps.
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tovi.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

; The name fits the components list without a scroll bar.
Section "デスクトップにアイコン" SecDesktop
  SetOutPath "$INSTDIR"
  CreateShortcut "$DESKTOP\${PRODUCT}.lnk" "$INSTDIR\tovi.exe" "" "$INSTDIR\tovi.exe" 0
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "プログラム、ヘルプ、名簿の例とライセンス。"
  !insertmacro MUI_DESCRIPTION_TEXT ${SecDesktop} "デスクトップにトヴィのアイコンを置きます。"
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Section "Uninstall"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$DESKTOP\${PRODUCT}.lnk"
  !include "${REMOVE}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
