; The Russian installer of Sortivane for 64-bit Windows.
;   makensis -INPUTCHARSET UTF8 -DVERSION=0.1 -DSTAGE=<folder with the files> -DOUTFILE=<setup.exe> installer.nsi
; Installs into Program Files for all users; /S installs silently.
; A 64-bit installer for a 64-bit program.
Target amd64-unicode
SetCompressor /SOLID lzma
!include MUI2.nsh
!include x64.nsh

!define PRODUCT "Sortivane"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Sortivane"
!define FILE_CLASS "Sortivane.Championship"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "Software\${PRODUCT}" "InstallDir"
RequestExecutionLevel admin
BrandingText "${PRODUCT} ${VERSION}"
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1049 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1049 "FileDescription" "Установка Sortivane"
VIAddVersionKey /LANG=1049 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "LegalCopyright" "Sortivane developers"

!define MUI_ICON "${STAGE}\sortivane.ico"
!define MUI_UNICON "${STAGE}\sortivane.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\sortivane.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Запустить Sortivane"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Russian"

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_ICONSTOP "Sortivane работает только в 64-разрядной Windows." /SD IDOK
    Abort
  ${EndIf}
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Section "Sortivane" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${STAGE}\sortivane.exe"
  File "${STAGE}\sortivane-export.exe"
  File "${STAGE}\sortivane.ico"
  File "${STAGE}\draw-proof.md"
  ; The organiser's guide, which "Справка" (F1) opens.
  SetOutPath "$INSTDIR\guide"
  File /r "${STAGE}\guide\*.*"
  SetOutPath "$INSTDIR"
  File "${STAGE}\LICENSE.txt"
  File "${STAGE}\DejaVu-LICENSE.txt"
  File "${STAGE}\Qt-LICENSE.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "Software\${PRODUCT}" "InstallDir" "$INSTDIR"

  CreateShortcut "$SMPROGRAMS\Sortivane.lnk" "$INSTDIR\sortivane.exe" "" "$INSTDIR\sortivane.exe" 0
  CreateShortcut "$SMPROGRAMS\Sortivane - справка.lnk" "$INSTDIR\guide\index.html"

  ; A championship file opens in Sortivane, with its icon.
  WriteRegStr HKLM "Software\Classes\.stv" "" "${FILE_CLASS}"
  WriteRegStr HKLM "Software\Classes\${FILE_CLASS}" "" "Чемпионат Sortivane"
  WriteRegStr HKLM "Software\Classes\${FILE_CLASS}\DefaultIcon" "" "$INSTDIR\sortivane.exe,0"
  WriteRegStr HKLM "Software\Classes\${FILE_CLASS}\shell\open\command" "" '"$INSTDIR\sortivane.exe" "%1"'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

  ; "Apps & features".
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Sortivane"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Sortivane developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\sortivane.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

Section "Ярлык на рабочем столе" SecDesktop
  CreateShortcut "$DESKTOP\Sortivane.lnk" "$INSTDIR\sortivane.exe" "" "$INSTDIR\sortivane.exe" 0
SectionEnd

LangString DESC_Program ${LANG_RUSSIAN} "Программа жеребьевки и публикации сетки."
LangString DESC_Desktop ${LANG_RUSSIAN} "Значок Sortivane на рабочем столе."
!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} $(DESC_Program)
  !insertmacro MUI_DESCRIPTION_TEXT ${SecDesktop} $(DESC_Desktop)
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Section "Uninstall"
  Delete "$INSTDIR\sortivane.exe"
  Delete "$INSTDIR\sortivane-export.exe"
  Delete "$INSTDIR\sortivane.ico"
  Delete "$INSTDIR\draw-proof.md"
  RMDir /r "$INSTDIR\guide"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\DejaVu-LICENSE.txt"
  Delete "$INSTDIR\Qt-LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Sortivane.lnk"
  Delete "$SMPROGRAMS\Sortivane - справка.lnk"
  Delete "$DESKTOP\Sortivane.lnk"
  ; The association only while it is still ours.
  ReadRegStr $0 HKLM "Software\Classes\.stv" ""
  StrCmp $0 "${FILE_CLASS}" 0 +2
    DeleteRegKey HKLM "Software\Classes\.stv"
  DeleteRegKey HKLM "Software\Classes\${FILE_CLASS}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegKey HKLM "Software\${PRODUCT}"
SectionEnd
