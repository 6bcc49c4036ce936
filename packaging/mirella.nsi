; Mirella's per-user installer: no administrator rights, into the user's own programs folder,
; because the program writes desktop.js and theme.htm into its own folder.
;   makensis -INPUTCHARSET UTF8 -DVERSION= -DFOUR_PART_VERSION= -DSTAGE_X64= -DSTAGE_X86=
;            -DFILE_LIST= -DOUTPUT= [-DX64_ONLY] mirella.nsi
; The shipped installer is a 32-bit program (it must start on 32-bit Windows) and installs the
; x64 program on 64-bit Windows, the x86 one elsewhere. X64_ONLY builds the same installer as a
; 64-bit program carrying the x64 program alone, for machines that run no 32-bit code.

Unicode true
!ifdef X64_ONLY
  Target amd64-unicode
!endif
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "x64.nsh"
!include "${FILE_LIST}"

!define PRODUCT "Mirella"
!define PUBLISHER "Mirella"
!define SITE "https://mirella-desktop.ru/"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Mirella"
!define START_MENU "$SMPROGRAMS\Mirella"
!define RESTORE_SHORTCUT "Вернуть прежний Рабочий стол"

Name "${PRODUCT}"
OutFile "${OUTPUT}"
InstallDir "$LOCALAPPDATA\Programs\Mirella"
RequestExecutionLevel user
ShowInstDetails show
ShowUninstDetails show
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${FOUR_PART_VERSION}"
VIFileVersion "${FOUR_PART_VERSION}"
VIAddVersionKey /LANG=1049 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1049 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1049 "FileDescription" "Установка Mirella"
VIAddVersionKey /LANG=1049 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "LegalCopyright" "${PUBLISHER}"

!define MUI_ABORTWARNING

!define MUI_WELCOMEPAGE_TITLE "Установка Mirella ${VERSION}"
!define MUI_WELCOMEPAGE_TEXT "Mirella делает Рабочий стол Windows с вашими значками, подписями и ссылками.$\r$\n$\r$\nПрограмма устанавливается только для вас, в вашу папку программ: права администратора не нужны.$\r$\n$\r$\nНажмите «Далее», чтобы продолжить."
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\desktop.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Запустить Mirella"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "Russian"

Function .onInit
  SetShellVarContext current
!ifndef X64_ONLY
FunctionEnd
!else
  ${IfNot} ${RunningX64}
    MessageBox MB_OK|MB_ICONSTOP "Эта сборка установщика работает только в 64-разрядной Windows."
    Abort
  ${EndIf}
FunctionEnd
!endif

Section "Mirella" SectionProgram
  SectionIn RO
  ; A running desktop layer holds desktop.exe open: it is asked to end (its window class and
  ; message are the program's own), waited for, and started again once the new files are in.
  FindWindow $0 "MirellaDesktopLayer"
  ${If} $0 <> 0
    System::Call 'user32::RegisterWindowMessageW(w "MirellaDesktopLayerEnd") i .r1'
    SendMessage $0 $1 0 0 /TIMEOUT=5000
    StrCpy $2 0
    layer_wait:
      Sleep 100
      FindWindow $0 "MirellaDesktopLayer"
      IntOp $2 $2 + 1
      IntCmp $0 0 layer_gone
      IntCmp $2 100 layer_gone layer_wait layer_gone
    layer_gone:
    Sleep 500
  ${EndIf}
  ; Only shipped files are replaced: an upgrade keeps desktop.js, theme.htm and the saved
  ; previous desktop, which the program wrote.
!ifdef X64_ONLY
  !insertmacro InstallShippedFiles "${STAGE_X64}"
!else
  ${If} ${RunningX64}
    !insertmacro InstallShippedFiles "${STAGE_X64}"
  ${Else}
    !insertmacro InstallShippedFiles "${STAGE_X86}"
  ${EndIf}
!endif
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ReadRegStr $3 HKCU "Software\Microsoft\Windows\CurrentVersion\Run" "Mirella"
  ${If} $3 != ""
    Exec '"$INSTDIR\desktop.exe" /layer'
  ${EndIf}

  CreateDirectory "${START_MENU}"
  CreateShortcut "${START_MENU}\Mirella.lnk" "$INSTDIR\desktop.exe"
  CreateShortcut "${START_MENU}\${RESTORE_SHORTCUT}.lnk" "$INSTDIR\desktop.exe" "/restore"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\desktop.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "URLInfoAbout" "${SITE}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Ярлык на Рабочем столе" SectionDesktopShortcut
  CreateShortcut "$DESKTOP\Mirella.lnk" "$INSTDIR\desktop.exe"
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionProgram} "Программа Mirella и её значки."
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionDesktopShortcut} "Ярлык Mirella на Рабочем столе."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function un.onInit
  SetShellVarContext current
FunctionEnd

Section "Uninstall"
  ; First the user gets back the desktop they had before Mirella (exit code 0: restored,
  ; 1: Mirella never changed it, 2: the restore failed).
  StrCpy $0 2
  IfFileExists "$INSTDIR\desktop.exe" 0 +2
    ExecWait '"$INSTDIR\desktop.exe" /restore /quiet' $0
  ${If} $0 == 2
    DetailPrint "Прежний Рабочий стол вернуть не удалось: его рисунок и сохранённые настройки остаются в $APPDATA\Mirella."
  ${Else}
    Delete "$APPDATA\Mirella\desktop.bmp"
    RMDir "$APPDATA\Mirella"
  ${EndIf}

  !insertmacro RemoveShippedFiles
  ; What the program wrote into its own folder.
  Delete "$INSTDIR\desktop.js"
  Delete "$INSTDIR\Themes\Blue Classic\theme.htm"
  Delete "$INSTDIR\uninstall.exe"
  ; Folders go only when empty: files the user added stay.
  RMDir "$INSTDIR\Themes\Blue Classic"
  RMDir "$INSTDIR\Themes"
  RMDir "$INSTDIR\icons"
  RMDir "$INSTDIR"

  Delete "${START_MENU}\Mirella.lnk"
  Delete "${START_MENU}\${RESTORE_SHORTCUT}.lnk"
  RMDir "${START_MENU}"
  Delete "$DESKTOP\Mirella.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
