; The Windows installer of Naklon: a 64-bit, Unicode NSIS installer in
; Russian that installs the program folder for the current user, without
; administrator rights, adds a Start-menu shortcut and an uninstaller that
; Windows' list of programs knows. scripts/windows-package.sh lays out the
; folder and calls makensis with:
;   VERSION     the project's version (1.0.0)
;   FILES       an include with the File lines of the laid-out program
;               folder, folder by folder
;   REMOVE      an include with the Delete and RMDir lines for the same files
;   SIZE_KB     the folder's size in KiB, for the list of programs
;   ICON        the program's .ico
;   OUTFILE     where the installer goes
; Both the installer and the uninstaller run silently with /S.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel user

!include MUI2.nsh
!include LogicLib.nsh

!define TITLE "Расчет наклонных сечений"
!define PUBLISHER "The Naklon developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Naklon"
!define SHORTCUT "$SMPROGRAMS\${TITLE}.lnk"

; In the pages' sentences the name reads as a quoted title.
Name "«${TITLE}»"
OutFile "${OUTFILE}"
; Programs of one user live here without administrator rights; the folder
; can be changed on the folder page.
InstallDir "$LOCALAPPDATA\Programs\Naklon"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Naklon ${VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1049 "ProductName" "Naklon"
VIAddVersionKey /LANG=1049 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "FileDescription" "Установка программы «${TITLE}»"
VIAddVersionKey /LANG=1049 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1049 "LegalCopyright" "© 2026 ${PUBLISHER}, лицензия MIT"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TITLE_3LINES
!define MUI_FINISHPAGE_TITLE_3LINES
!define MUI_FINISHPAGE_RUN "$INSTDIR\naklon.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Запустить программу"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Russian"

Section "Naklon"
  SetShellVarContext current
  ; The files one by one, so that the uninstaller can take exactly these.
  !include "${FILES}"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "${SHORTCUT}" "$INSTDIR\naklon.exe" "" "$INSTDIR\naklon.exe" 0 \
    SW_SHOWNORMAL "" "${TITLE}"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${TITLE}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\naklon.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  Delete "${SHORTCUT}"
  ; Only what the installer put there: a folder that still holds anything
  ; else (the user's own files) stays, with those files.
  !include "${REMOVE}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
