; The Rekentol installer: per user, without administrator rights, in Dutch.
;
;   makensis -DVERSION=<x.y> -DVERSION4=<x.y.z.w> -DEXE=<rekentol.exe> -DLICENSE=<GPL text, CRLF>
;            -DICON=<rekentol.ico> -DOUTFILE=<setup.exe> rekentol.nsi
;
; /S installs silently; the uninstaller (Apps & features) takes /S as well.

; A 64-bit installer for a 64-bit program: it runs where the program runs.
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

!define APPNAME "Rekentol"
!define UNINSTKEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Rekentol"

Name "${APPNAME}"
BrandingText "${APPNAME} ${VERSION}"
OutFile "${OUTFILE}"
; A pupil or a teacher without administrator rights installs it for
; themselves, where Windows puts per-user programs.
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\${APPNAME}"
InstallDirRegKey HKCU "${UNINSTKEY}" "InstallLocation"

VIProductVersion "${VERSION4}"
VIAddVersionKey /LANG=1043 "ProductName" "${APPNAME}"
VIAddVersionKey /LANG=1043 "FileDescription" "Installatieprogramma van ${APPNAME}"
VIAddVersionKey /LANG=1043 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1043 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1043 "CompanyName" "Rekentol-ontwikkelaars"
VIAddVersionKey /LANG=1043 "LegalCopyright" "Rekentol-ontwikkelaars, GPL-3.0-or-later"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!define MUI_WELCOMEPAGE_TEXT "Dit programma installeert ${APPNAME} ${VERSION}, oefenen met delen voor de basisschool.$\r$\n$\r$\nEr zijn geen beheerdersrechten nodig: ${APPNAME} komt alleen voor deze gebruiker op de computer.$\r$\n$\r$\nKlik op Volgende om verder te gaan."
!insertmacro MUI_PAGE_WELCOME
!define MUI_LICENSEPAGE_TEXT_TOP "${APPNAME} is vrije software onder de GNU General Public License, versie 3 of (naar keuze) een latere versie (GPL-3.0-or-later)."
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\rekentol.exe"
!define MUI_FINISHPAGE_RUN_TEXT "${APPNAME} nu starten"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "Dutch"

Section "${APPNAME}"
  ; Windows makes the per-user programs folder on first use. The uninstaller
  ; takes it away again (when empty) only if this installer made it.
  ReadRegDWORD $3 HKCU "${UNINSTKEY}" "MadeProgramsFolder"
  ${IfNot} ${FileExists} "$LOCALAPPDATA\Programs\*.*"
    StrCpy $3 1
  ${EndIf}
  SetOutPath "$INSTDIR"
  File "/oname=rekentol.exe" "${EXE}"
  WriteUninstaller "$INSTDIR\verwijderen.exe"

  SetShellVarContext current
  CreateShortcut "$SMPROGRAMS\${APPNAME}.lnk" "$INSTDIR\rekentol.exe" "" "$INSTDIR\rekentol.exe" 0

  WriteRegStr HKCU "${UNINSTKEY}" "DisplayName" "${APPNAME}"
  WriteRegStr HKCU "${UNINSTKEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTKEY}" "Publisher" "Rekentol-ontwikkelaars"
  WriteRegStr HKCU "${UNINSTKEY}" "DisplayIcon" "$INSTDIR\rekentol.exe,0"
  WriteRegStr HKCU "${UNINSTKEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTKEY}" "UninstallString" '"$INSTDIR\verwijderen.exe"'
  WriteRegStr HKCU "${UNINSTKEY}" "QuietUninstallString" '"$INSTDIR\verwijderen.exe" /S'
  WriteRegDWORD HKCU "${UNINSTKEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTKEY}" "NoRepair" 1
  ${If} $3 == 1
  ${AndIf} ${FileExists} "$LOCALAPPDATA\Programs\*.*"
    WriteRegDWORD HKCU "${UNINSTKEY}" "MadeProgramsFolder" 1
  ${EndIf}
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTKEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  Delete "$SMPROGRAMS\${APPNAME}.lnk"
  Delete "$INSTDIR\rekentol.exe"
  Delete "$INSTDIR\verwijderen.exe"
  ; Only an empty folder goes: anything a user put there stays.
  RMDir "$INSTDIR"
  ReadRegDWORD $0 HKCU "${UNINSTKEY}" "MadeProgramsFolder"
  ${If} $0 == 1
    RMDir "$LOCALAPPDATA\Programs"
  ${EndIf}
  DeleteRegKey HKCU "${UNINSTKEY}"
SectionEnd
