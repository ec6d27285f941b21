# Writes the built-in schedule's file (ENTRADA, JSON) as C++ (SALIDA): the function
# BaremoCompilado(), for the builds of the schedule alone, which have no JSON reader.
# cmake -DENTRADA=baremo.json -DSALIDA=BaremoCompilado.cpp -P GenerarBaremo.cmake
cmake_policy(VERSION 3.25)
file(READ "${ENTRADA}" json)

# A C++ string literal of a JSON text.
function(literal salida texto)
    string(REPLACE "\\" "\\\\" texto "${texto}")
    string(REPLACE "\"" "\\\"" texto "${texto}")
    string(REPLACE "\r" "\\r" texto "${texto}")
    string(REPLACE "\n" "\\n" texto "${texto}")
    set(${salida} "\"${texto}\"" PARENT_SCOPE)
endfunction()

# A C++ number of a JSON number: `sufijo` f for a float.
function(numero salida texto sufijo)
    if(NOT texto MATCHES "[.eE]")
        string(APPEND texto ".")
    endif()
    set(${salida} "${texto}${sufijo}" PARENT_SCOPE)
endfunction()

# The C++ initializers of the elements of the list `lista`, each of `campos`, in order:
# a field "texto:clave" is a string, "float:clave" a float, "double:clave" a double,
# "entero:clave" an integer, "regla:clave" a fee rule; "vacio:-" a field the file has not
# (its default value).
function(filas salida lista)
    string(JSON n LENGTH "${json}" ${lista})
    math(EXPR ultimo "${n} - 1")
    set(texto "")
    foreach(k RANGE ${ultimo})
        set(fila "")
        foreach(campo IN LISTS ARGN)
            string(REPLACE ":" ";" partes "${campo}")
            list(GET partes 0 clase)
            list(GET partes 1 clave)
            if(clase STREQUAL "vacio")
                set(valor "{}")
            else()
                string(JSON valor GET "${json}" ${lista} ${k} ${clave})
            endif()
            if(clase STREQUAL "texto")
                literal(valor "${valor}")
            elseif(clase STREQUAL "float")
                numero(valor "${valor}" f)
            elseif(clase STREQUAL "double")
                numero(valor "${valor}" "")
            elseif(clase STREQUAL "regla")
                set(valor "static_cast<Regla>(${valor})")
            endif()
            if(NOT fila STREQUAL "")
                string(APPEND fila ", ")
            endif()
            string(APPEND fila "${valor}")
        endforeach()
        string(APPEND texto "        {${fila}},\n")
    endforeach()
    set(${salida} "${texto}" PARENT_SCOPE)
endfunction()

filas(trabajos trabajos texto:referencia texto:descripcion regla:tipo texto:unidad float:tasa
    float:minimo texto:grupo texto:nota)
filas(documentos documentos texto:referencia texto:descripcion regla:tipo float:tasa
    float:minimo texto:nota vacio:-)
filas(tramos escala_dv entero:hasta double:factor double:base)
filas(clases escala_superficie entero:hasta float:importe)
filas(proyecto "descuentos;P" texto:texto float:fraccion)
filas(basico "descuentos;PB" texto:texto float:fraccion)
string(JSON n LENGTH "${json}" factores)
math(EXPR ultimo "${n} - 1")
set(factores "")
foreach(k RANGE ${ultimo})
    string(JSON factor GET "${json}" factores ${k})
    numero(factor "${factor}" "")
    list(APPEND factores "${factor}")
endforeach()
list(JOIN factores ", " factores)
string(JSON nombre GET "${json}" nombre)
string(JSON vigente GET "${json}" vigente_desde)
literal(nombre "${nombre}")
literal(vigente "${vigente}")

file(WRITE "${SALIDA}" "// Generated from the built-in schedule's file by GenerarBaremo.cmake: do not edit.
#include \"Baremo.h\"

namespace cdv {

std::shared_ptr<const Baremo> BaremoCompilado() {
    static const auto baremo = std::make_shared<const Baremo>(Baremo{
        ${nombre},
        ${vigente},
        \"\",
        {${factores}},
        TablaTrabajos({
${trabajos}        }),
        TablaDocumentos({
${documentos}        }),
        {
${tramos}        },
        {
${clases}        },
        {
${proyecto}        },
        {
${basico}        },
        {},
        \"\",
        {},
        {},
        {},
        {},
    });
    return baremo;
}

}  // namespace cdv
")
