; The Windows installer: Quintoz.exe and its read-me in the user's own programs folder, a
; Start-menu shortcut, and an uninstaller listed among the installed programs. It needs no
; administrator rights, and /S makes both the installer and the uninstaller silent.
;
; make-packages.sh passes VERSION, EXE, README, ICON and OUTFILE with -D.

Unicode true
; Debian's Wine runs 64-bit programs only, and the game itself is 64-bit.
Target amd64-unicode

!ifndef VERSION | EXE | README | ICON | OUTFILE
  !error "make-packages.sh defines VERSION, EXE, README, ICON and OUTFILE"
!endif

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quintoz"
!define PUBLISHER "The Quintoz developers"

Name "Quintoz ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Quintoz"
RequestExecutionLevel user
SetCompressor /SOLID lzma
Icon "${ICON}"
UninstallIcon "${ICON}"
ShowInstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "Quintoz"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "Quintoz ${VERSION} setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright 2026 ${PUBLISHER}, MIT licence"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Quintoz"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "/oname=Quintoz.exe" "${EXE}"
  File "/oname=README.txt" "${README}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Quintoz.lnk" "$INSTDIR\Quintoz.exe" "" "$INSTDIR\Quintoz.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Quintoz"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Quintoz.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Removes exactly what the installer made; the folder goes only when nothing else is in it.
Section "Uninstall"
  SetShellVarContext current
  Delete "$SMPROGRAMS\Quintoz.lnk"
  Delete "$INSTDIR\Quintoz.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
