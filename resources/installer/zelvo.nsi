; The Windows installer: zelvo-setup.exe installs the program folder the build lays out,
; records the program path for the Explorer entry, adds Start menu shortcuts and an
; uninstaller listed in Add or Remove Programs, and can register "Edit with Zelvo".
; Built by CMake with: makensis -DDIST=<program folder> -DOUTFILE=<setup.exe> -DARCH=x86|amd64
; Silent install and uninstall: /S (and /D=<folder> for the install folder).

Unicode true
!ifndef ARCH
  !define ARCH x86
!endif
Target ${ARCH}-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!define PRODUCT "Zelvo"
!define MAKER "Tolvane"
!define VERSION "1.1.2"
!define SETTINGS "Software\Tolvane\Zelvo\${VERSION}"
!define UNINSTALL "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zelvo"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
!if ${ARCH} == amd64
  InstallDir "$PROGRAMFILES64\${MAKER}\${PRODUCT}"
!else
  InstallDir "$PROGRAMFILES\${MAKER}\${PRODUCT}"
!endif
InstallDirRegKey HKLM "${UNINSTALL}" "InstallLocation"
ShowInstDetails show
ShowUninstDetails show

Page components
Page directory
Page instfiles
UninstPage components
UninstPage instfiles

Function .onInit
  !if ${ARCH} == amd64
    SetRegView 64
  !endif
FunctionEnd

Function un.onInit
  !if ${ARCH} == amd64
    SetRegView 64
  !endif
FunctionEnd

Section "!${PRODUCT}" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${DIST}\zelvo.exe"
  File "${DIST}\zelvoc.exe"
  !if /FileExists "${DIST}\pellum.dll"
    File "${DIST}\pellum.dll"
  !endif
  SetOutPath "$INSTDIR\ctwa"
  File "${DIST}\ctwa\*.txt"
  ; The folders of the user's own libs; existing libs in them are never touched.
  CreateDirectory "$INSTDIR\ctwa\custbig"
  CreateDirectory "$INSTDIR\ctwa\custgb"
  CreateDirectory "$INSTDIR\config"
  SetOutPath "$INSTDIR\Language"
  File "${DIST}\Language\*.ini"
  SetOutPath "$INSTDIR\doc"
  File /r "${DIST}\doc\*.*"
  SetOutPath "$INSTDIR\samples"
  File "${DIST}\samples\*.*"

  WriteRegStr HKLM "${SETTINGS}\App" "Path" "$INSTDIR\zelvo.exe"

  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\zelvo.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk" "$INSTDIR\uninstall.exe"

  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL}" "DisplayName" "${PRODUCT} ${VERSION}"
  WriteRegStr HKLM "${UNINSTALL}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL}" "Publisher" "${MAKER}"
  WriteRegStr HKLM "${UNINSTALL}" "DisplayIcon" "$INSTDIR\zelvo.exe"
  WriteRegStr HKLM "${UNINSTALL}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL}" "NoRepair" 1
SectionEnd

!if /FileExists "${DIST}\pellum.dll"
Section "Edit with ${PRODUCT} in Windows Explorer" SecExplorer
  ; The handler registers itself; the program then finds it registered and asks nothing.
  RegDLL "$INSTDIR\pellum.dll"
  WriteRegDWORD HKLM "${SETTINGS}\Shell" "Tried" 1
SectionEnd
!endif

Section "un.${PRODUCT}" UnSecProgram
  SectionIn RO
  !if /FileExists "${DIST}\pellum.dll"
    IfFileExists "$INSTDIR\pellum.dll" 0 +2
      UnRegDLL "$INSTDIR\pellum.dll"
    Delete "$INSTDIR\pellum.dll"
  !endif
  Delete "$INSTDIR\zelvo.exe"
  Delete "$INSTDIR\zelvoc.exe"
  Delete "$INSTDIR\ctwa\basebig.txt"
  Delete "$INSTDIR\ctwa\basegb.txt"
  Delete "$INSTDIR\ctwa\pdafbig.txt"
  Delete "$INSTDIR\ctwa\pdafgb.txt"
  Delete "$INSTDIR\ctwa\ffbig.txt"
  Delete "$INSTDIR\ctwa\ffgb.txt"
  ; Empty folders go; folders still holding the user's libs or settings stay.
  RMDir "$INSTDIR\ctwa\custbig"
  RMDir "$INSTDIR\ctwa\custgb"
  RMDir "$INSTDIR\ctwa"
  Delete "$INSTDIR\Language\japanese.ini"
  RMDir "$INSTDIR\Language"
  RMDir /r "$INSTDIR\doc"
  RMDir /r "$INSTDIR\samples"
  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"
  DeleteRegKey HKLM "${UNINSTALL}"
  DeleteRegValue HKLM "${SETTINGS}\App" "Path"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR\config"
  RMDir "$INSTDIR"
SectionEnd

Section /o "un.My own libs and settings" UnSecUserData
  RMDir /r "$INSTDIR\ctwa"
  RMDir /r "$INSTDIR\config"
  DeleteRegKey HKLM "Software\Tolvane\Zelvo"
  RMDir "$INSTDIR"
SectionEnd
