; The installer: per user, no administrator rights. Made by scripts/package.sh, which passes
; VERSION, FILES (an include with the shipped files' QUILLET_INSTALL_FILES and QUILLET_REMOVE_FILES
; macros) and OUTFILE.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "Sections.nsh"
!include "${FILES}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillet"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define LIBRARY_CLSID "{A7594056-AA60-431D-B9A6-5BA899B2A873}"

Name "Quillet ${VERSION}"
OutFile "${OUTFILE}"
; The user's own programs folder: created by this installer as the user, it is the user's to write to,
; which Quillet needs for settings.ini, projects and temp beside itself.
InstallDir "$LOCALAPPDATA\Programs\Quillet"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Quillet"
VIAddVersionKey "FileDescription" "Quillet ${VERSION} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "CompanyName" "The Quillet developers"
VIAddVersionKey "LegalCopyright" "Copyright (c) 2026 The Quillet developers, MIT licence"

Var KeepData

!define MUI_ABORTWARNING
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_COMPONENTS
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE CheckFolderWritable
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Quillet.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Program files cannot be replaced or removed while the program runs from them.
!macro REFUSE_WHILE_RUNNING
    FindWindow $0 "QuilletMainForm"
    ${If} $0 <> 0
        MessageBox MB_OK|MB_ICONEXCLAMATION "Quillet is running. End it (Exit in its tray menu), then start again." /SD IDOK
        SetErrorLevel 2
        Quit
    ${EndIf}
!macroend

; A folder the user cannot write to would install a program that cannot keep its settings.
Function CheckFolderWritable
    ClearErrors
    CreateDirectory "$INSTDIR"
    FileOpen $0 "$INSTDIR\quillet-setup.tmp" w
    ${If} ${Errors}
        MessageBox MB_OK|MB_ICONSTOP "Quillet keeps its settings and projects in its own folder, and you cannot write to $INSTDIR. Choose a folder of your own." /SD IDOK
        Abort
    ${EndIf}
    FileClose $0
    Delete "$INSTDIR\quillet-setup.tmp"
FunctionEnd

Section "Quillet" SecProgram
    SectionIn RO
    Call CheckFolderWritable
    SetOutPath "$INSTDIR"
    !insertmacro QUILLET_INSTALL_FILES
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    CreateShortcut "$SMPROGRAMS\Quillet.lnk" "$INSTDIR\Quillet.exe"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Quillet"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "The Quillet developers"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Quillet.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section /o "Desktop shortcut" SecDesktop
    CreateShortcut "$DESKTOP\Quillet.lnk" "$INSTDIR\Quillet.exe"
SectionEnd

Function .onInit
    SetShellVarContext current
    !insertmacro REFUSE_WHILE_RUNNING
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/DESKTOP" $R1
    ${IfNot} ${Errors}
        !insertmacro SelectSection ${SecDesktop}
    ${EndIf}
FunctionEnd

Function un.onInit
    SetShellVarContext current
    !insertmacro REFUSE_WHILE_RUNNING
    StrCpy $KeepData 0
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/KEEPDATA" $R1
    ${IfNot} ${Errors}
        StrCpy $KeepData 1
    ${EndIf}
FunctionEnd

; Whether a registration of the library's System class in one classes store names this copy.
!macro REGISTERED_HERE root prefix
    ReadRegStr $1 ${root} "${prefix}CLSID\${LIBRARY_CLSID}\InprocServer32" ""
    ${If} $1 == "$INSTDIR\Syslinkage.dll"
        StrCpy $0 1
    ${EndIf}
!macroend

Section "Uninstall"
    ; Quillet registers the library at every start. Another copy's registration is left alone.
    StrCpy $0 0
    !insertmacro REGISTERED_HERE HKLM "Software\Classes\"
    !insertmacro REGISTERED_HERE HKCU "Software\Classes\"
    ${If} $0 == 1
    ${AndIf} ${FileExists} "$INSTDIR\Syslinkage.dll"
        ExecWait '"$SYSDIR\regsvr32.exe" /s /u "$INSTDIR\Syslinkage.dll"'
    ${EndIf}
    ; Start with Windows, when it is this copy that starts.
    ReadRegStr $1 HKCU "${RUN_KEY}" "QuilletSW"
    ${If} $1 == '"$INSTDIR\Quillet.exe" nowindow'
        DeleteRegValue HKCU "${RUN_KEY}" "QuilletSW"
    ${EndIf}

    Delete "$SMPROGRAMS\Quillet.lnk"
    Delete "$DESKTOP\Quillet.lnk"
    !insertmacro QUILLET_REMOVE_FILES
    Delete "$INSTDIR\Uninstall.exe"
    RMDir /r "$INSTDIR\temp"

    ${If} ${FileExists} "$INSTDIR\settings.ini"
    ${OrIf} ${FileExists} "$INSTDIR\projects\*.*"
        ${If} $KeepData == 0
            MessageBox MB_YESNO|MB_ICONQUESTION "Delete your Quillet projects and settings too?$\r$\n$\r$\nThey are in $INSTDIR. Choose No to keep them." /SD IDYES IDYES +2
            StrCpy $KeepData 1
        ${EndIf}
        ${If} $KeepData == 0
            Delete "$INSTDIR\settings.ini"
            RMDir /r "$INSTDIR\projects"
        ${EndIf}
    ${EndIf}
    ; Only when empty: whatever else the user put there stays.
    RMDir "$INSTDIR"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

LangString DESC_SecProgram ${LANG_ENGLISH} "Quillet, its library, help, Start-menu shortcut and uninstaller."
LangString DESC_SecDesktop ${LANG_ENGLISH} "A shortcut to Quillet on the desktop."
!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
    !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} $(DESC_SecProgram)
    !insertmacro MUI_DESCRIPTION_TEXT ${SecDesktop} $(DESC_SecDesktop)
!insertmacro MUI_FUNCTION_DESCRIPTION_END
