; The Windows installer: for the user alone, without administrator rights, into
; %LOCALAPPDATA%\Programs\CDV, or for every user of the computer, elevated, into Program Files.
; /S installs silently; /CURRENTUSER or /ALLUSERS chooses without the page. The uninstaller
; takes away what its own installation added, and nothing else.
;   makensis -DVERSION=1.1.0 -DARCHIVOS=folder -DSALIDA=setup.exe -DICONO=cdv.ico
;            -DBIENVENIDA=picture.bmp -DPROPIETARIO=owner [-DFIRMA=command] cdv.nsi
; FIRMA, when given, signs the installer and the uninstaller as they are made.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true

!define NOMBRE "CDV-TORVEL"
!define CLAVE_DESINSTALAR "Software\Microsoft\Windows\CurrentVersion\Uninstall\${NOMBRE}"
!define CLASES "Software\Classes"
!define TIPO "CDV.SolicitudDeVisado"
!define ACCESO "${NOMBRE}.lnk"

Name "${NOMBRE}" "${NOMBRE}"
OutFile "${SALIDA}"
BrandingText "${NOMBRE} ${VERSION}"
!ifdef FIRMA
  !finalize '${FIRMA} "%1"' = 0
  !uninstfinalize '${FIRMA} "%1"' = 0
!endif

; Both scopes: an administrator chooses; anyone else installs for themselves, never elevated.
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "${NOMBRE}"
!define MULTIUSER_INSTALLMODE_FUNCTION CarpetaDelAlcance
!define MULTIUSER_INSTALLMODEPAGE_TEXT_TOP "¿Para quién instala ${NOMBRE}? Sin permiso de administrador, solo puede instalarlo para usted."
!define MULTIUSER_INSTALLMODEPAGE_TEXT_ALLUSERS "Para todos los usuarios de este equipo"
!define MULTIUSER_INSTALLMODEPAGE_TEXT_CURRENTUSER "Solo para mí"
!define MULTIUSER_INIT_TEXT_ADMINREQUIRED "${NOMBRE} necesita permiso de administrador."
!define MULTIUSER_INIT_TEXT_POWERREQUIRED "${NOMBRE} necesita permiso de administrador."
!define MULTIUSER_INIT_TEXT_ALLUSERSNOTPOSSIBLE "Su cuenta no tiene permiso para instalar ${NOMBRE} para todos los usuarios. Instálelo solo para usted (/CURRENTUSER)."
!include MultiUser.nsh
!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh

!define MUI_ICON "${ICONO}"
!define MUI_UNICON "${ICONO}"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${BIENVENIDA}"
!define MUI_WELCOMEPAGE_TITLE "Instalación de ${NOMBRE} ${VERSION}"
!define MUI_WELCOMEPAGE_TEXT "Este asistente instalará ${NOMBRE} ${VERSION}, la calculadora de cuotas de visado de ${PROPIETARIO}.$\r$\n$\r$\nPulse Siguiente para continuar."
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${ARCHIVOS}\LICENSE.txt"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Ejecutar ${NOMBRE}"
!define MUI_FINISHPAGE_RUN_FUNCTION Ejecutar
!define MUI_FINISHPAGE_SHOWREADME
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Crear un acceso directo en el escritorio"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!define MUI_FINISHPAGE_SHOWREADME_FUNCTION AccesoEnElEscritorio
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Spanish"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_SPANISH} "ProductName" "${NOMBRE}"
VIAddVersionKey /LANG=${LANG_SPANISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SPANISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SPANISH} "FileDescription" "Instalador de ${NOMBRE}"
VIAddVersionKey /LANG=${LANG_SPANISH} "CompanyName" "${PROPIETARIO}"
VIAddVersionKey /LANG=${LANG_SPANISH} "LegalCopyright" "Licencia MIT"

; For the user alone, the folder Windows keeps for a user's programs.
Function CarpetaDelAlcance
  ${If} $MultiUser.InstallMode == "CurrentUser"
    ${GetParent} "$INSTDIR" $0
    StrCpy $INSTDIR "$0\CDV"
  ${EndIf}
FunctionEnd

; A folder given with /D stays the one installed into.
Function .onInit
  StrCpy $R9 $INSTDIR
  !insertmacro MULTIUSER_INIT
  ${If} $R9 != ""
    StrCpy $INSTDIR $R9
  ${EndIf}
FunctionEnd

; The program started as the user, not with the installer's rights.
Function Ejecutar
  Exec '"$WINDIR\explorer.exe" "$INSTDIR\cdv.exe"'
FunctionEnd

Function AccesoEnElEscritorio
  CreateShortcut "$DESKTOP\${ACCESO}" "$INSTDIR\cdv.exe"
FunctionEnd

; An earlier installation in the same scope goes first, by its own uninstaller (earlier
; versions kept the program in a "bin" folder and a key under the owner's name).
Function QuitarAnterior
  ReadRegStr $0 SHCTX "${CLAVE_DESINSTALAR}" "InstallLocation"
  ${If} $0 == ""
    ReadRegStr $1 SHCTX "${CLAVE_DESINSTALAR}" "UninstallString"
    ${If} $1 == ""
      Return
    ${EndIf}
    ${GetParent} "$1" $0
  ${EndIf}
  ${If} ${FileExists} "$0\Desinstalar.exe"
    ExecWait '"$0\Desinstalar.exe" /S /$MultiUser.InstallMode _?=$0'
    Delete "$0\Desinstalar.exe"
    RMDir "$0"
  ${EndIf}
  DeleteRegKey /ifempty SHCTX "Software\${PROPIETARIO}"
FunctionEnd

Section
  Call QuitarAnterior
  SetOutPath "$INSTDIR"
  File "${ARCHIVOS}\cdv.exe"
  File "${ARCHIVOS}\cdv.com"
  File "${ARCHIVOS}\LICENSE.txt"
  File "${ARCHIVOS}\LICENCIAS-Qt.txt"
  WriteUninstaller "$INSTDIR\Desinstalar.exe"
  CreateShortcut "$SMPROGRAMS\${ACCESO}" "$INSTDIR\cdv.exe"

  ; The request files: their type, its icon, and the program that opens them.
  WriteRegStr SHCTX "${CLASES}\.cdv" "" "${TIPO}"
  WriteRegStr SHCTX "${CLASES}\${TIPO}" "" "Solicitud de visado (CDV)"
  WriteRegStr SHCTX "${CLASES}\${TIPO}\DefaultIcon" "" "$INSTDIR\cdv.exe,0"
  WriteRegStr SHCTX "${CLASES}\${TIPO}\shell\open\command" "" '"$INSTDIR\cdv.exe" "%1"'

  ; The entry of "Aplicaciones", which uninstalls this scope's installation.
  WriteRegStr SHCTX "${CLAVE_DESINSTALAR}" "DisplayName" "${NOMBRE}"
  WriteRegStr SHCTX "${CLAVE_DESINSTALAR}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${CLAVE_DESINSTALAR}" "Publisher" "${PROPIETARIO}"
  WriteRegStr SHCTX "${CLAVE_DESINSTALAR}" "DisplayIcon" "$INSTDIR\cdv.exe,0"
  WriteRegStr SHCTX "${CLAVE_DESINSTALAR}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${CLAVE_DESINSTALAR}" "UninstallString" '"$INSTDIR\Desinstalar.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${CLAVE_DESINSTALAR}" "QuietUninstallString" '"$INSTDIR\Desinstalar.exe" /S /$MultiUser.InstallMode'
  WriteRegDWORD SHCTX "${CLAVE_DESINSTALAR}" "NoModify" 1
  WriteRegDWORD SHCTX "${CLAVE_DESINSTALAR}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${CLAVE_DESINSTALAR}" "EstimatedSize" $0
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

; The scope is the one whose entry names this folder, whatever the command line says.
Function un.onInit
  !insertmacro MULTIUSER_UNINIT
  ReadRegStr $0 HKLM "${CLAVE_DESINSTALAR}" "InstallLocation"
  ReadRegStr $1 HKCU "${CLAVE_DESINSTALAR}" "InstallLocation"
  ${If} $0 == $INSTDIR
    Call un.MultiUser.InstallMode.AllUsers
  ${ElseIf} $1 == $INSTDIR
    Call un.MultiUser.InstallMode.CurrentUser
  ${EndIf}
FunctionEnd

Section Uninstall
  Delete "$INSTDIR\cdv.exe"
  Delete "$INSTDIR\cdv.com"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\LICENCIAS-Qt.txt"
  Delete "$INSTDIR\Desinstalar.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${ACCESO}"
  Delete "$DESKTOP\${ACCESO}"
  DeleteRegKey SHCTX "${CLASES}\${TIPO}"
  ; The extension's key goes only while it still names this program's type.
  ReadRegStr $0 SHCTX "${CLASES}\.cdv" ""
  ${If} $0 == "${TIPO}"
    DeleteRegKey SHCTX "${CLASES}\.cdv"
  ${EndIf}
  DeleteRegKey SHCTX "${CLAVE_DESINSTALAR}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
