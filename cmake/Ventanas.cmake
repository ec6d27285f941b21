# The windows (Qt Widgets), the library cdv_ui and the program cdv.
find_package(Qt6 6.4 REQUIRED COMPONENTS Widgets PrintSupport)

# A static Qt (the Windows build) links only the plugins asked for: each program takes the
# offscreen platform too, for the exports without a window and for the tests.
get_target_property(CDV_TIPO_QT Qt6::Core TYPE)
if(CDV_TIPO_QT STREQUAL "STATIC_LIBRARY")
    set(CDV_QT_ESTATICO ON)
endif()
function(cdv_plataformas destino)
    if(CDV_QT_ESTATICO)
        qt_import_plugins(${destino} INCLUDE Qt6::QOffscreenIntegrationPlugin)
    endif()
endfunction()

add_subdirectory(${CMAKE_CURRENT_SOURCE_DIR}/visado ${CMAKE_CURRENT_BINARY_DIR}/visado)

configure_file(app/Acerca.h.in ${CMAKE_CURRENT_BINARY_DIR}/generated/Acerca.h @ONLY)

# The windows and the program's shared state; everything but main().
add_library(cdv_ui STATIC
    app/Ajustes.cpp
    app/Consola.cpp
    app/DocumentoSolicitud.cpp
    app/Impresion.cpp
    app/Lote.cpp
    app/Recuperacion.cpp
    app/Tasar.cpp
    ui/AvisoRecuperar.cpp
    ui/BarraBaremo.cpp
    ui/BusquedaPorPalabras.cpp
    ui/CambioEnSitio.cpp
    ui/EleccionTarifa.cpp
    ui/ComandosArchivo.cpp
    ui/Diseno.cpp
    ui/Entorno.cpp
    ui/FilaSeguida.cpp
    ui/HistoriaUnica.cpp
    ui/MenuRecientes.cpp
    ui/OpcionesDescuento.cpp
    ui/PanelEntrada.cpp
    ui/SelectorColegio.cpp
    ui/ProgresoEnVentana.cpp
    ui/VentanaResumen.cpp
    ui/dlgRecuperar.cpp
    ui/frmAcerca.cpp
    ui/frmInfo.cpp
    ui/frmPrincipal.cpp
    ui/frmTotalesTD.cpp
    ui/frmTotalesTT.cpp
    resources/cdv.qrc
)
# Pictures kept as they are: unpacking them at start-up would cost more than they weigh.
set_target_properties(cdv_ui PROPERTIES AUTOMOC ON AUTORCC ON AUTORCC_OPTIONS "--no-compress")
target_include_directories(cdv_ui
    PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/app ${CMAKE_CURRENT_SOURCE_DIR}/ui
    PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/generated)
target_link_libraries(cdv_ui PUBLIC cdv_visado Qt6::Widgets Qt6::PrintSupport PRIVATE cdv_warnings)
# Where Qt brings no translations of its own (a static Qt on Windows), Qt's Spanish texts go
# inside the program, taken from the host's Qt.
if(CDV_QT_ESTATICO)
    find_file(CDV_QTBASE_ES qtbase_es.qm
        PATHS /usr/share/qt6/translations ${QT_HOST_PATH}/share/qt6/translations
        NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
    set_source_files_properties(${CDV_QTBASE_ES} PROPERTIES QT_RESOURCE_ALIAS qtbase_es.qm)
    qt_add_resources(cdv_ui traducciones PREFIX /traducciones FILES ${CDV_QTBASE_ES})
endif()

add_executable(cdv app/main.cpp)
set_target_properties(cdv PROPERTIES WIN32_EXECUTABLE ON)
target_link_libraries(cdv PRIVATE cdv_ui cdv_warnings)
cdv_plataformas(cdv)
cdv_arranque_junto(cdv)
target_compile_definitions(cdv PRIVATE CDV_VERSION="${PROJECT_VERSION}")
if(TARGET cdv_recursos_windows)
    target_link_libraries(cdv PRIVATE cdv_recursos_windows)
endif()

# cdv.com, the console companion of the windowed cdv.exe: typed in cmd or PowerShell, `cdv`
# waits for the program, shows what it writes and ends with its status.
if(WIN32)
    add_executable(cdv_consola app/ProgramaConsola.cpp)
    set_target_properties(cdv_consola PROPERTIES OUTPUT_NAME cdv SUFFIX .com)
    target_link_libraries(cdv_consola PRIVATE cdv_warnings)
    if(TARGET cdv_recursos_windows)
        target_link_libraries(cdv_consola PRIVATE cdv_recursos_windows)
    endif()
endif()

include(GNUInstallDirs)
if(WIN32)
    # Both programs in the installation's own folder, where cmd finds cdv.com first.
    install(TARGETS cdv cdv_consola RUNTIME DESTINATION .)
else()
    install(TARGETS cdv RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
if(UNIX AND NOT APPLE)
    install(FILES resources/cdv.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    # The request files' type, so that opening one starts the program.
    install(FILES resources/cdv-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME cdv.xml)
    install(FILES resources/cdv.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
    # What a software centre and Debian ask for: metadata, manual page, changelog, copyright.
    set(CDV_EMPAQUETADO ${CMAKE_CURRENT_BINARY_DIR}/empaquetado)
    # The owner's web address and the picture kept there, when there is one.
    if(CDV_WEB)
        string(CONCAT CDV_METAINFO_WEB "  <url type=\"homepage\">${CDV_WEB}</url>\n"
            "  <screenshots>\n    <screenshot type=\"default\">\n"
            "      <caption>La ventana principal con un proyecto en curso</caption>\n"
            "      <image>${CDV_WEB}/capturas/principal.png</image>\n"
            "    </screenshot>\n  </screenshots>\n")
    endif()
    configure_file(packaging/cdv.metainfo.xml.in ${CDV_EMPAQUETADO}/org.example.cdv.metainfo.xml
        @ONLY)
    configure_file(packaging/copyright.in ${CDV_EMPAQUETADO}/copyright @ONLY)
    configure_file(packaging/changelog.in ${CDV_EMPAQUETADO}/changelog @ONLY)
    configure_file(packaging/cdv.1.in ${CDV_EMPAQUETADO}/cdv.1 @ONLY)
    find_program(CDV_GZIP gzip REQUIRED)
    foreach(archivo changelog cdv.1)
        add_custom_command(OUTPUT ${CDV_EMPAQUETADO}/${archivo}.gz
            COMMAND ${CDV_GZIP} -9nf -k ${CDV_EMPAQUETADO}/${archivo}
            DEPENDS ${CDV_EMPAQUETADO}/${archivo})
        list(APPEND CDV_COMPRIMIDOS ${CDV_EMPAQUETADO}/${archivo}.gz)
    endforeach()
    add_custom_target(cdv_empaquetado ALL DEPENDS ${CDV_COMPRIMIDOS})
    install(FILES ${CDV_EMPAQUETADO}/org.example.cdv.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    install(FILES ${CDV_EMPAQUETADO}/copyright ${CDV_EMPAQUETADO}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
    install(FILES ${CDV_EMPAQUETADO}/cdv.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
if(WIN32)
    # The program's licence, after a paragraph in Spanish on what it allows, as a text file
    # Windows opens; and the notice of the Qt libraries the installer carries.
    file(READ LICENSE CDV_LICENCIA_MIT)
    configure_file(packaging/LICENSE.txt.in ${CMAKE_CURRENT_BINARY_DIR}/LICENSE.txt @ONLY
        NEWLINE_STYLE CRLF)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/LICENSE.txt packaging/LICENCIAS-Qt.txt DESTINATION .)
    # windeployqt: the Qt libraries and plugins the program needs, next to it; a static Qt
    # is all inside the program.
    if(NOT CDV_QT_ESTATICO)
        qt_generate_deploy_app_script(TARGET cdv OUTPUT_SCRIPT cdv_despliegue
            NO_UNSUPPORTED_PLATFORM_ERROR)
        install(SCRIPT ${cdv_despliegue})
    endif()
endif()

