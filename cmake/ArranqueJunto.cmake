# Start-up code laid out together. The kernel maps a program's code in blocks around each page
# it touches, so the few functions that run before the first frame, spread over the whole
# binary, would make most of its code resident. On Linux with GCC each function goes into a
# section of its own, and a linker script puts those that cmake/arranque.funciones lists
# (bench/funciones_arranque.sh makes it) at the head of the code, with the static
# initialisers. A listed function that no longer exists places nothing; one missing from the
# list is only placed as it would be without the list.
set(CDV_ARRANQUE_JUNTO OFF)
if(CMAKE_SYSTEM_NAME STREQUAL "Linux" AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU"
   AND NOT CDV_SANITIZE AND NOT CDV_FUZZ)
    set(CDV_ARRANQUE_JUNTO ON)
    add_compile_options(-ffunction-sections)

    set(lista ${CMAKE_CURRENT_LIST_DIR}/arranque.funciones)
    set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${lista})
    file(STRINGS ${lista} funciones REGEX "^[^#]")
    set(secciones "")
    foreach(funcion IN LISTS funciones)
        # A constructor or destructor is emitted under one of its names: any of them.
        string(REGEX REPLACE "C[12]E" "C[12]E" funcion "${funcion}")
        string(REGEX REPLACE "D[012]E" "D[012]E" funcion "${funcion}")
        string(APPEND secciones "    *(.text.${funcion} .text.${funcion}.*)\n")
    endforeach()
    set(CDV_GUION_ARRANQUE ${PROJECT_BINARY_DIR}/generated/arranque.ld)
    file(CONFIGURE OUTPUT ${CDV_GUION_ARRANQUE} CONTENT "SECTIONS {
  .text.arranque : {
    *(.text.startup .text.startup.*)
@secciones@  }
} INSERT BEFORE .text;
" @ONLY)
endif()

# Links `destino` with its start-up code together, where the build lays it out so.
function(cdv_arranque_junto destino)
    if(CDV_ARRANQUE_JUNTO)
        target_link_options(${destino} PRIVATE "LINKER:-T,${CDV_GUION_ARRANQUE}")
        set_property(TARGET ${destino} APPEND PROPERTY LINK_DEPENDS ${CDV_GUION_ARRANQUE})
    endif()
endfunction()
