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
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define THEME_PAGE "$INSTDIR\Themes\Blue Classic\theme.htm"

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

; The uninstaller's last page says what it could do: these are set by its section.
Var UninstallTitle
Var UninstallSubtitle
!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_INSTFILESPAGE_FINISHHEADER_TEXT "$UninstallTitle"
!define MUI_INSTFILESPAGE_FINISHHEADER_SUBTEXT "$UninstallSubtitle"
!define MUI_INSTFILESPAGE_ABORTHEADER_TEXT "$UninstallTitle"
!define MUI_INSTFILESPAGE_ABORTHEADER_SUBTEXT "$UninstallSubtitle"
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

; A running desktop layer holds desktop.exe open: it is asked to end (its window class and
; message are the program's own) and waited for.
!macro EndDesktopLayer
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
!macroend

Section "Mirella" SectionProgram
  SectionIn RO
  ; The layer is started again once the new files are in.
  !insertmacro EndDesktopLayer
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

  ReadRegStr $3 HKCU "${RUN_KEY}" "Mirella"
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

Var RestoreCode
Var RestoreFailed
Var KeepPage
Var ProgramLeft

Function un.onInit
  SetShellVarContext current
  StrCpy $UninstallTitle "$(MUI_UNTEXT_FINISH_TITLE)"
  StrCpy $UninstallSubtitle "$(MUI_UNTEXT_FINISH_SUBTITLE)"
FunctionEnd

; The wizard's windows are the form layer's (class "MirellaContainer"). Each of its processes is
; asked to close and, if it has not within five seconds (a box of its own may be waiting for an
; answer), ended.
Function un.EndWizard
  StrCpy $R1 0
  wizard_next:
    FindWindow $R0 "MirellaContainer"
    StrCmp $R0 0 wizard_done
    IntOp $R1 $R1 + 1
    IntCmp $R1 10 0 0 wizard_done
    System::Call 'user32::GetWindowThreadProcessId(p R0, *i .R2)'
    ; SYNCHRONIZE | PROCESS_TERMINATE
    System::Call 'kernel32::OpenProcess(i 0x00100001, i 0, i R2) p .R3'
    System::Call 'user32::PostMessageW(p R0, i ${WM_CLOSE}, p 0, p 0)'
    StrCmp $R3 0 0 +3
      Sleep 1000
      Goto wizard_next
    System::Call 'kernel32::WaitForSingleObject(p R3, i 5000) i .R4'
    StrCmp $R4 0 +3
      System::Call 'kernel32::TerminateProcess(p R3, i 1)'
      System::Call 'kernel32::WaitForSingleObject(p R3, i 5000)'
    System::Call 'kernel32::CloseHandle(p R3)'
    Goto wizard_next
  wizard_done:
FunctionEnd

Section "Uninstall"
  ; An open wizard holds desktop.exe open and could change the desktop while it is put back.
  FindWindow $0 "MirellaContainer"
  ${If} $0 <> 0
  ${AndIfNot} ${Silent}
    MessageBox MB_YESNO|MB_ICONQUESTION "Mirella сейчас открыта. Чтобы удалить программу, её нужно закрыть.$\r$\n$\r$\nЗакрыть Mirella и продолжить удаление?" IDYES wizard_close
    StrCpy $UninstallTitle "Удаление отменено"
    StrCpy $UninstallSubtitle "Mirella открыта, поэтому ничего не удалено и не изменено."
    Abort
    wizard_close:
  ${EndIf}
  Call un.EndWizard

  ; First the user gets back the desktop they had before Mirella (exit code 0: restored,
  ; 1: Mirella never changed it). Any other code, a crash's included, is a failed restore, and
  ; the saved previous desktop stays.
  StrCpy $RestoreCode 2
  IfFileExists "$INSTDIR\desktop.exe" 0 +2
    ExecWait '"$INSTDIR\desktop.exe" /restore /quiet' $RestoreCode
  StrCpy $RestoreFailed 1
  ${If} $RestoreCode == 0
  ${OrIf} $RestoreCode == 1
    StrCpy $RestoreFailed 0
  ${EndIf}

  ; A restore that failed may not have ended the layer or taken its start at logon away: the
  ; program they name is about to go.
  !insertmacro EndDesktopLayer
  ReadRegStr $1 HKCU "${RUN_KEY}" "Mirella"
  StrCpy $2 '"$INSTDIR\desktop.exe"'
  StrLen $3 $2
  StrCpy $1 $1 $3
  ${If} $1 == $2
    DeleteRegValue HKCU "${RUN_KEY}" "Mirella"
  ${EndIf}

  ; After a failed restore a wallpaper value may still name the page: the page, its script and
  ; its pictures stay, so that the desktop does not lose what it shows.
  StrCpy $KeepPage 0
  ${If} $RestoreFailed == 1
    ReadRegStr $1 HKCU "Control Panel\Desktop" "Wallpaper"
    ReadRegStr $2 HKCU "Software\Microsoft\Internet Explorer\Desktop\General" "Wallpaper"
    ${If} $1 == "${THEME_PAGE}"
    ${OrIf} $2 == "${THEME_PAGE}"
      StrCpy $KeepPage 1
    ${EndIf}
  ${Else}
    Delete "$APPDATA\Mirella\desktop.bmp"
    RMDir "$APPDATA\Mirella"
    ; The pictures drawn for this machine's monitors: two generations of desktop-<g>-<i>.
    Delete "$LOCALAPPDATA\Mirella\desktop-1-*.png"
    Delete "$LOCALAPPDATA\Mirella\desktop-2-*.png"
    Delete "$LOCALAPPDATA\Mirella\desktop-1-*.bmp"
    Delete "$LOCALAPPDATA\Mirella\desktop-2-*.bmp"
    RMDir "$LOCALAPPDATA\Mirella"
  ${EndIf}

  !insertmacro RemoveShippedProgram
  StrCpy $ProgramLeft 0
  IfFileExists "$INSTDIR\desktop.exe" 0 +2
    StrCpy $ProgramLeft 1
  ${If} $KeepPage == 0
    !insertmacro RemoveShippedPictures
    ; What the program wrote into its own folder.
    Delete "$INSTDIR\desktop.js"
    Delete "${THEME_PAGE}"
  ${EndIf}
  ; Without the program the uninstaller stays, and so does its entry, to be run again.
  ${If} $ProgramLeft == 0
    Delete "$INSTDIR\uninstall.exe"
  ${EndIf}
  ; Folders go only when empty: files the user added stay.
  RMDir "$INSTDIR\Themes\Blue Classic"
  RMDir "$INSTDIR\Themes"
  RMDir "$INSTDIR\icons"
  RMDir "$INSTDIR"

  Delete "${START_MENU}\Mirella.lnk"
  Delete "${START_MENU}\${RESTORE_SHORTCUT}.lnk"
  RMDir "${START_MENU}"
  Delete "$DESKTOP\Mirella.lnk"
  ${If} $ProgramLeft == 0
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ${EndIf}

  ; What went wrong is said on the last page and in the exit code (2), not only in the details.
  ${If} $RestoreFailed == 1
    DetailPrint "Прежний Рабочий стол вернуть не удалось (код $RestoreCode)."
    ${If} $KeepPage == 1
      DetailPrint "Оставлены файлы, которые показывает Рабочий стол:"
      DetailPrint "    theme.htm, desktop.js и рисунки в $INSTDIR"
    ${EndIf}
    IfFileExists "$APPDATA\Mirella\*.*" 0 +3
      DetailPrint "Оставлены рисунок Рабочего стола и сохранённый прежний Рабочий стол:"
      DetailPrint "    $APPDATA\Mirella"
    IfFileExists "$LOCALAPPDATA\Mirella\*.*" 0 +3
      DetailPrint "Оставлены рисунки Рабочего стола для мониторов:"
      DetailPrint "    $LOCALAPPDATA\Mirella"
    DetailPrint "Чтобы вернуть прежний Рабочий стол, установите Mirella снова"
    DetailPrint "и выберите в меню «Пуск» «Вернуть прежний Рабочий стол»."
    StrCpy $UninstallTitle "Прежний Рабочий стол не возвращён"
    StrCpy $UninstallSubtitle "Mirella удалена, но файлы, которые показывает Рабочий стол, и сохранённый прежний Рабочий стол оставлены. Подробности — ниже."
    SetErrorLevel 2
  ${EndIf}
  ${If} $ProgramLeft == 1
    DetailPrint "Не удалось удалить $INSTDIR\desktop.exe: файл занят. Закройте программы Mirella и удалите её ещё раз."
    StrCpy $UninstallTitle "Удаление не завершено"
    StrCpy $UninstallSubtitle "Файл desktop.exe занят и не удалён: закройте Mirella и удалите её ещё раз."
    SetErrorLevel 2
  ${EndIf}
SectionEnd
