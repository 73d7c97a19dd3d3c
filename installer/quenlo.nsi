; Quenlo's installer: puts Tarvik.dll into the host's add-in folder for the
; current user (no administrator rights), and the sample default_template.prj
; when the folder has no template. It never touches the settings store
; (TARVIK.ini) or any .nvs file. Made by installer/package:
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.0.0 -DSTAGE=<folder> -DOUTFILE=<setup.exe> quenlo.nsi
; STAGE holds the files to install (Tarvik.dll, default_template.prj).
;
; For IT staff: `setup.exe /S /D=C:\path\to\addins` installs silently; the
; uninstaller takes /S as well. A silent run that meets a Tarvik.dll held open
; by the host ends with exit status 2 and leaves the old library in place.

Unicode true
Target amd64-unicode
RequestExecutionLevel user
ManifestDPIAware true
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh

!define PRODUCT "Quenlo"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quenlo"
!define UNINSTALLER "Quenlo-uninstall.exe"
!define TEMPLATE "default_template.prj"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
; The folder of the last install is offered again.
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TITLE_3LINES
!define MUI_WELCOMEPAGE_TEXT "$(Welcome)"
!insertmacro MUI_PAGE_WELCOME
!define MUI_DIRECTORYPAGE_TEXT_TOP "$(ChooseFolder)"
!define MUI_DIRECTORYPAGE_TEXT_DESTINATION "$(FolderLabel)"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; English first: the pages are in English when the system's language is not Japanese.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

LangString Welcome ${LANG_JAPANESE} "$(^NameDA) の Tarvik.dll（Tarvik／Pellast シミュレーターへ NC ジョブを渡すアドイン）を、ホスト（CAM）のアドインフォルダーに入れます。$\r$\n$\r$\n管理者の権限は要りません。ホストを終了してから進めてください。$\r$\n$\r$\n設定（TARVIK.ini）と設定ファイル（.nvs）には触れません。フォルダーにある default_template.prj は置き換えません。$\r$\n$\r$\n$_CLICK"
LangString Welcome ${LANG_ENGLISH} "This puts $(^NameDA)'s Tarvik.dll (the add-in that hands the NC job to the Tarvik or Pellast simulator) into the host's (CAM's) add-in folder.$\r$\n$\r$\nNo administrator rights are needed. Close the host before you go on.$\r$\n$\r$\nThe settings (TARVIK.ini) and settings files (.nvs) are not touched; a default_template.prj in the folder is not replaced.$\r$\n$\r$\n$_CLICK"
LangString ChooseFolder ${LANG_JAPANESE} "ホストがアドインを読み込むフォルダー（default_template.prj を置くフォルダー）を選んでください。"
LangString ChooseFolder ${LANG_ENGLISH} "Choose the folder the host loads its add-ins from (the folder that holds default_template.prj)."
LangString FolderLabel ${LANG_JAPANESE} "ホストのアドインフォルダー"
LangString FolderLabel ${LANG_ENGLISH} "The host's add-in folder"
LangString InUse ${LANG_JAPANESE} "Tarvik.dll は使用中です（ホストが読み込んでいます）:$\r$\n$INSTDIR\Tarvik.dll$\r$\n$\r$\nホストを終了してから「再試行」を押してください。「キャンセル」を押すと、今の Tarvik.dll をそのまま残して終わります。"
LangString InUse ${LANG_ENGLISH} "Tarvik.dll is in use (the host has loaded it):$\r$\n$INSTDIR\Tarvik.dll$\r$\n$\r$\nClose the host and choose Retry. Cancel ends here and leaves the present Tarvik.dll as it is."
LangString Stopped ${LANG_JAPANESE} "Tarvik.dll が使用中のため、中止しました。"
LangString Stopped ${LANG_ENGLISH} "Stopped: Tarvik.dll is in use."
LangString TemplateKept ${LANG_JAPANESE} "default_template.prj はフォルダーにあるものをそのまま使います。"
LangString TemplateKept ${LANG_ENGLISH} "The default_template.prj in the folder stays as it is."
LangString Publisher ${LANG_JAPANESE} "Quenlo プロジェクト"
LangString Publisher ${LANG_ENGLISH} "The Quenlo project"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileDescription" "${PRODUCT} ${VERSION} セットアップ"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "LegalCopyright" "Copyright (C) 2026 Quenlo プロジェクト"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Copyright (C) 2026 The Quenlo project"

; Waits until Tarvik.dll in the folder can be written (or is not there): while
; a process has the library loaded, Windows refuses to open it for writing.
; The user retries after closing the host, or cancels: then the run stops
; with exit status 2 and the old library stays. Silent runs cancel at once.
!macro WaitForLibrary
  retry:
  ${If} ${FileExists} "$INSTDIR\Tarvik.dll"
    ClearErrors
    FileOpen $0 "$INSTDIR\Tarvik.dll" a
    ${If} ${Errors}
      DetailPrint "$(InUse)"
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(InUse)" /SD IDCANCEL IDRETRY retry
      SetErrorLevel 2
      Abort "$(Stopped)"
    ${EndIf}
    FileClose $0
  ${EndIf}
!macroend

; $R0 = the template's size and last-write time, "" when it is not there:
; what the uninstaller compares to tell whether the user changed it.
!macro TemplateStamp
  StrCpy $R0 ""
  ClearErrors
  FileOpen $1 "$INSTDIR\${TEMPLATE}" r
  ${IfNot} ${Errors}
    FileSeek $1 0 END $2
    FileClose $1
    GetFileTime "$INSTDIR\${TEMPLATE}" $3 $4
    StrCpy $R0 "$2:$3:$4"
  ${EndIf}
!macroend

Section "Quenlo"
  SetOverwrite on
  ; What the last install noted about its folder holds only for that folder.
  ReadRegStr $5 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $5 != $INSTDIR
    DeleteRegValue HKCU "${UNINSTALL_KEY}" "TemplateStamp"
    DeleteRegValue HKCU "${UNINSTALL_KEY}" "CreatedFolder"
  ${EndIf}
  ; A new folder is removed again by the uninstaller when it is left empty.
  ${IfNot} ${FileExists} "$INSTDIR\*.*"
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "CreatedFolder" 1
  ${EndIf}
  SetOutPath "$INSTDIR"
  !insertmacro WaitForLibrary
  File "${STAGE}\Tarvik.dll"

  ; The template: installed only where there is none. Its stamp tells the
  ; uninstaller that it is ours and unchanged.
  ${If} ${FileExists} "$INSTDIR\${TEMPLATE}"
    DetailPrint "$(TemplateKept)"
  ${Else}
    File "${STAGE}\${TEMPLATE}"
    !insertmacro TemplateStamp
    WriteRegStr HKCU "${UNINSTALL_KEY}" "TemplateStamp" $R0
  ${EndIf}

  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "$(Publisher)"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${UNINSTALLER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize 0 $6
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $6
SectionEnd

; Removes what the install put there and nothing else: the template only
; when it is the one installed and unchanged since, never the settings.
Section "Uninstall"
  !insertmacro WaitForLibrary
  Delete "$INSTDIR\Tarvik.dll"
  ReadRegStr $5 HKCU "${UNINSTALL_KEY}" "TemplateStamp"
  ${If} $5 != ""
    !insertmacro TemplateStamp
    ${If} $R0 == $5
      Delete "$INSTDIR\${TEMPLATE}"
    ${Else}
      DetailPrint "$(TemplateKept)"
    ${EndIf}
  ${EndIf}
  Delete "$INSTDIR\${UNINSTALLER}"
  ReadRegDWORD $6 HKCU "${UNINSTALL_KEY}" "CreatedFolder"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ${If} $6 == 1
    RMDir "$INSTDIR"  ; only when empty
  ${EndIf}
SectionEnd
