# The windows (Qt Widgets), the library cdv_ui and the program cdv.
find_package(Qt6 6.4 REQUIRED COMPONENTS Widgets)

# What the About window names; whoever deploys the program sets them.
set(CDV_PROPIETARIO "Colegio profesional de ingenieros" CACHE STRING "Owner named in the About window")
set(CDV_WEB "https://www.example.org" CACHE STRING "Owner's web address named in the About window")
set(CDV_AUTOR "Equipo de desarrollo" CACHE STRING "Author named in the About window")
configure_file(app/Acerca.h.in ${CMAKE_CURRENT_BINARY_DIR}/generated/Acerca.h @ONLY)

# The windows and the program's shared state; everything but main().
add_library(cdv_ui STATIC
    app/Entorno.cpp
    app/MisFunciones.cpp
    ui/Diseno.cpp
    ui/VentanaResumen.cpp
    ui/frmAcerca.cpp
    ui/frmPrincipal.cpp
    ui/frmTotalesTD.cpp
    ui/frmTotalesTT.cpp
    resources/cdv.qrc
)
set_target_properties(cdv_ui PROPERTIES AUTOMOC ON AUTORCC ON)
target_include_directories(cdv_ui
    PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/app ${CMAKE_CURRENT_SOURCE_DIR}/ui
    PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/generated)
target_link_libraries(cdv_ui PUBLIC cdv_schedule Qt6::Widgets PRIVATE cdv_warnings)

add_executable(cdv app/main.cpp)
target_link_libraries(cdv PRIVATE cdv_ui cdv_warnings)

