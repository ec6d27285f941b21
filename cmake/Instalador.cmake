# The Windows installer (CPack's NSIS generator): 64-bit, in Spanish, into Program Files, with
# a Start-menu entry, the .cdv files opened by the program, and an uninstaller listed under
# "Aplicaciones" that takes away every file and key it added. Silent with /S.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_UNINSTALL_NAME "Desinstalar")
set(CPACK_NSIS_URL_INFO_ABOUT "${CDV_WEB}")
set(CPACK_NSIS_CONTACT "${CDV_CORREO}")

# The request files: their type, its icon, and the program that opens them.
set(CDV_TIPO_NSIS "CDV.SolicitudDeVisado")
set(CDV_CLASES "Software\\\\Classes")
string(CONCAT CPACK_NSIS_EXTRA_INSTALL_COMMANDS
    "WriteRegStr SHCTX '${CDV_CLASES}\\\\.cdv' '' '${CDV_TIPO_NSIS}'\n"
    "WriteRegStr SHCTX '${CDV_CLASES}\\\\${CDV_TIPO_NSIS}' '' 'Solicitud de visado (CDV)'\n"
    "WriteRegStr SHCTX '${CDV_CLASES}\\\\${CDV_TIPO_NSIS}\\\\DefaultIcon' '' '$INSTDIR\\\\bin\\\\cdv.exe,0'\n"
    "WriteRegStr SHCTX '${CDV_CLASES}\\\\${CDV_TIPO_NSIS}\\\\shell\\\\open\\\\command' '' '$\\\\\\\"$INSTDIR\\\\bin\\\\cdv.exe$\\\\\\\" $\\\\\\\"%1$\\\\\\\"'\n"
    "System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'\n")
# The extension's key goes only while it still names this program's type.
string(CONCAT CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS
    "DeleteRegKey SHCTX '${CDV_CLASES}\\\\${CDV_TIPO_NSIS}'\n"
    "ReadRegStr $0 SHCTX '${CDV_CLASES}\\\\.cdv' ''\n"
    "StrCmp $0 '${CDV_TIPO_NSIS}' 0 +2\n"
    "DeleteRegKey SHCTX '${CDV_CLASES}\\\\.cdv'\n"
    "System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'\n")

# CMake's own installer script, made Spanish alone (it offers some sixty languages, English
# first, and chooses by the system's), with its links named in Spanish.
file(READ "${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in" CDV_NSIS)
string(REGEX REPLACE "  !insertmacro MUI_LANGUAGE \"[A-Za-z]+\"[^\n]*\n" "" CDV_NSIS "${CDV_NSIS}")
string(REPLACE ";Reserve Files" ";Reserve Files\n  !insertmacro MUI_LANGUAGE \"Spanish\"\n"
    CDV_NSIS "${CDV_NSIS}")
string(REPLACE "\\Uninstall.lnk" "\\Desinstalar.lnk" CDV_NSIS "${CDV_NSIS}")
file(WRITE "${CMAKE_BINARY_DIR}/nsis/NSIS.template.in" "${CDV_NSIS}")
list(PREPEND CMAKE_MODULE_PATH "${CMAKE_BINARY_DIR}/nsis")
