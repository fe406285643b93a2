; Wordmill's installer: per user, no administrator rights. The program goes to the
; learner's own programs folder; the data folder %APPDATA%\Wordmill gets the bundled
; database, skin and guide only where it has none yet, and the uninstaller leaves it.
Target amd64-unicode
!include "MUI2.nsh"

!ifndef VERSION
  !error "VERSION (the project's, as 1.0.0) is not given"
!endif
!ifndef STAGE
  !error "STAGE (the folder with the files to install) is not given"
!endif
!ifndef ICON
  !error "ICON (the program's .ico) is not given"
!endif

Name "Wordmill"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Wordmill"
InstallDirRegKey HKCU "Software\Wordmill" "InstallDir"
SetCompressor /SOLID lzma

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Wordmill"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
; The last page offers to start Wordmill at once, ticked, in its data folder.
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "运行 Wordmill"
!define MUI_FINISHPAGE_RUN_FUNCTION RunWordmill

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

; The installer's own version, as Explorer shows it.
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductName" "Wordmill"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileDescription" "Wordmill 安装程序"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "LegalCopyright" "© 2026 Wordmill 开发组"

Function RunWordmill
  SetOutPath "$APPDATA\Wordmill"
  Exec '"$INSTDIR\Wordmill.exe"'
FunctionEnd

Section "Wordmill"
  SetOutPath "$INSTDIR"
  File "${STAGE}\Wordmill.exe"
  File "${STAGE}\game.dll"
  Delete "$INSTDIR\build_danci.exe" ; where an earlier version kept it
  SetOutPath "$INSTDIR\tools"
  File "${STAGE}\tools\build_danci.exe"
  SetOutPath "$INSTDIR\bundled"
  File "${STAGE}\danci.mdb"
  File "${STAGE}\游戏指南.txt"
  File "${STAGE}\wordmill-guide.html"
  SetOutPath "$INSTDIR\bundled\Skins"
  File "${STAGE}\Skins\corona.smf"

  ; The learner's data folder: a database there is brought up to the bundled banks,
  ; variants, transcriptions, sentences and phrases with its review rows kept; never
  ; simply overwritten.
  CreateDirectory "$APPDATA\Wordmill\Skins"
  IfFileExists "$APPDATA\Wordmill\danci.mdb" 0 fresh
    nsExec::Exec '"$INSTDIR\tools\build_danci.exe" "$APPDATA\Wordmill\danci.mdb" --upgrade-from "$INSTDIR\bundled\danci.mdb"'
    Pop $0
    Goto data_done
  fresh:
    CopyFiles /SILENT "$INSTDIR\bundled\danci.mdb" "$APPDATA\Wordmill"
  data_done:
  IfFileExists "$APPDATA\Wordmill\游戏指南.txt" +2 0
    CopyFiles /SILENT "$INSTDIR\bundled\游戏指南.txt" "$APPDATA\Wordmill"
  CopyFiles /SILENT "$INSTDIR\bundled\wordmill-guide.html" "$APPDATA\Wordmill"
  CopyFiles /SILENT "$INSTDIR\bundled\Skins\corona.smf" "$APPDATA\Wordmill\Skins"

  ; The shortcut starts Wordmill in the data folder, where it looks for its files.
  SetOutPath "$APPDATA\Wordmill"
  CreateShortcut "$SMPROGRAMS\Wordmill.lnk" "$INSTDIR\Wordmill.exe" "" "$INSTDIR\Wordmill.exe" 0

  WriteUninstaller "$INSTDIR\Uninstall.exe"
  WriteRegStr HKCU "Software\Wordmill" "InstallDir" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Wordmill"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Wordmill"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Wordmill.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\Wordmill.lnk"
  ; The start-with-Windows entry would name a program that is gone.
  DeleteRegValue HKCU "Software\Microsoft\Windows\CurrentVersion\Run" "MyAutoRun"
  RMDir /r "$INSTDIR\bundled"
  Delete "$INSTDIR\Wordmill.exe"
  Delete "$INSTDIR\game.dll"
  Delete "$INSTDIR\build_danci.exe"
  Delete "$INSTDIR\tools\build_danci.exe"
  RMDir "$INSTDIR\tools"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  DeleteRegKey HKCU "Software\Wordmill"
  ; $APPDATA\Wordmill, the learner's words and progress, stays.
SectionEnd
