; The Windows installer, built by make-packages with makensis. It installs for the signed-in user
; only, without administrator rights, into %LOCALAPPDATA%\Programs\NAME, and writes:
; the files of the staged folder, an uninstaller, a Start-menu shortcut to the window and the
; entry in the user's list of installed programs. The uninstaller removes exactly the files the
; installer wrote (their list is made from the staged folder) and keeps the user's settings
; unless asked to remove them (a question, or /RemoveSettings on its command line).
;
; Defined by make-packages: NAME, VERSION, VERSION_QUAD (four numbers), PUBLISHER, COPYRIGHT,
; PROGRAM (the window's file name), ICON, OUTFILE, INSTALL_FILES and REMOVE_FILES (the lists).

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${NAME}"
; Where the window keeps its options and placement.
!define SETTINGS_KEY "Software\VB and VBA Program Settings\${NAME}"
!define SETTINGS_PARENT_KEY "Software\VB and VBA Program Settings"

Name "${NAME} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${NAME}"
; A second installation goes where the first one went.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${NAME} ${VERSION}"

VIProductVersion "${VERSION_QUAD}"
VIAddVersionKey /LANG=0 "ProductName" "${NAME}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "${NAME} ${VERSION} Setup"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "LegalCopyright" "${COPYRIGHT}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\${PROGRAM}"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The pages speak the user's language where it is one of these, English otherwise.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

LangString RemoveSettingsQuestion ${LANG_ENGLISH} \
    "Remove your ${NAME} settings (options, window position and size) as well?"
LangString RemoveSettingsQuestion ${LANG_JAPANESE} \
    "${NAME} の設定 (オプション、ウィンドウの位置と大きさ) も削除しますか?"

Section "Install"
    SetOutPath "$INSTDIR"
    !include "${INSTALL_FILES}"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    CreateShortcut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\${PROGRAM}"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM},0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
    !include "${REMOVE_FILES}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\${NAME}.lnk"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"

    ; The settings stay unless the user asks: /RemoveSettings, or "Yes" to the question (which a
    ; silent uninstall answers "No").
    ${un.GetParameters} $0
    ClearErrors
    ${un.GetOptions} $0 "/RemoveSettings" $1
    ${IfNot} ${Errors}
        StrCpy $2 1
    ${ElseIf} ${Cmd} `MessageBox MB_YESNO|MB_DEFBUTTON2 "$(RemoveSettingsQuestion)" /SD IDNO IDYES`
        StrCpy $2 1
    ${Else}
        StrCpy $2 0
    ${EndIf}
    ${If} $2 = 1
        DeleteRegKey HKCU "${SETTINGS_KEY}"
        DeleteRegKey /ifempty HKCU "${SETTINGS_PARENT_KEY}"
    ${EndIf}
SectionEnd
