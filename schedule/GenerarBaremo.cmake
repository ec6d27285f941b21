# Writes the built-in schedule's file (ENTRADA: JSON of format 2, computed in floating point) as
# C++ (SALIDA): the function BaremoCompilado(), for the builds of the schedule alone, which have
# no JSON reader. Each rule is taken from its form (FormasDeRegla.h) as the file's reader takes
# it; each number is written as the literal of the decimal the file gives.
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

# A C++ number of a JSON number times 10^-desplazamiento: `sufijo` f for a float.
function(numero salida texto sufijo desplazamiento)
    set(exponente 0)
    if(texto MATCHES "^(.*)[eE]([-+]?[0-9]+)$")
        set(texto "${CMAKE_MATCH_1}")
        set(exponente "${CMAKE_MATCH_2}")
    endif()
    if(NOT texto MATCHES "[.]")
        string(APPEND texto ".")
    endif()
    math(EXPR exponente "${exponente} - ${desplazamiento}")
    set(${salida} "${texto}e${exponente}${sufijo}" PARENT_SCOPE)
endfunction()

# The value at a path of the file; `defecto` where it is not there.
function(valor salida defecto)
    string(JSON v ERROR_VARIABLE error GET "${json}" ${ARGN})
    if(error)
        set(v "${defecto}")
    endif()
    set(${salida} "${v}" PARENT_SCOPE)
endfunction()

# The names of the marginal table and the stepped table.
string(JSON n LENGTH "${json}" tablas)
math(EXPR ultimo "${n} - 1")
foreach(k RANGE ${ultimo})
    string(JSON nombre MEMBER "${json}" tablas ${k})
    string(JSON tipo GET "${json}" tablas "${nombre}" tipo)
    set(tabla_${tipo} "${nombre}")
    set(tipo_de_${nombre} "${tipo}")
endforeach()

# The rule of row k of `lista` (`catalogo`: Trabajos or Documentos), and its rate as a float.
function(regla salida tasa lista k catalogo)
    string(JSON tipo GET "${json}" ${lista} ${k} regla tipo)
    valor(tabla "" ${lista} ${k} regla tabla)
    set(tipo_tabla "std::nullopt")
    if(tipo_de_${tabla} STREQUAL "marginal")
        set(tipo_tabla "TipoTabla::Marginal")
    elseif(tipo_de_${tabla} STREQUAL "escalonada")
        set(tipo_tabla "TipoTabla::Escalonada")
    endif()
    set(parametro "Ninguno")
    set(numero "0.f")
    foreach(forma "precio;Precio;0" "porcentaje;Porcentaje;2")
        list(GET forma 0 clave)
        valor(v "" ${lista} ${k} regla ${clave})
        if(NOT v STREQUAL "")
            list(GET forma 1 parametro)
            list(GET forma 2 desplazamiento)
            numero(numero "${v}" f ${desplazamiento})
        endif()
    endforeach()
    set(${salida} "ReglaDeForma(Catalogo::${catalogo}, \"${tipo}\", ${tipo_tabla}, Parametro::${parametro})"
        PARENT_SCOPE)
    set(${tasa} "${numero}" PARENT_SCOPE)
endfunction()

# The initializers of the rows of `lista`: a TrabajoTT or a DocumentoTD each; and in
# `descuentos`, those of the discount options of the rows that have them.
function(filas salida lista catalogo)
    string(JSON n LENGTH "${json}" ${lista})
    math(EXPR ultimo "${n} - 1")
    set(texto "")
    set(todos "")
    foreach(k RANGE ${ultimo})
        foreach(clave referencia descripcion unidad grupo nota)
            valor(v "" ${lista} ${k} ${clave})
            literal(${clave} "${v}")
        endforeach()
        regla(regla tasa ${lista} ${k} ${catalogo})
        string(JSON minimo GET "${json}" ${lista} ${k} minimo)
        numero(minimo "${minimo}" f 0)
        if(catalogo STREQUAL "Trabajos")
            set(fila "${referencia}, ${descripcion}, ${regla}, ${unidad}, ${tasa}, ${minimo}, ${grupo}, ${nota}")
        else()
            set(fila "${referencia}, ${descripcion}, ${regla}, ${tasa}, ${minimo}, ${nota}, {}")
        endif()
        string(APPEND texto "        {${fila}},\n")
        valor(descuentos "" ${lista} ${k} descuentos)
        if(NOT descuentos STREQUAL "")
            opciones(opciones ${lista} ${k})
            string(APPEND todos "        {${referencia}, {\n${opciones}        }},\n")
        endif()
    endforeach()
    set(${salida} "${texto}" PARENT_SCOPE)
    set(descuentos "${todos}" PARENT_SCOPE)
endfunction()

# The discount options of row k of `lista`.
function(opciones salida lista k)
    string(JSON n LENGTH "${json}" ${lista} ${k} descuentos)
    math(EXPR ultimo "${n} - 1")
    set(texto "")
    foreach(j RANGE ${ultimo})
        string(JSON t GET "${json}" ${lista} ${k} descuentos ${j} texto)
        string(JSON p GET "${json}" ${lista} ${k} descuentos ${j} porcentaje)
        literal(t "${t}")
        numero(p "${p}" f 2)
        string(APPEND texto "            {${t}, ${p}},\n")
    endforeach()
    set(${salida} "${texto}" PARENT_SCOPE)
endfunction()

# The bands of a table, each of `campos` ("clase:clave", clase entero, double or float).
function(tramos salida tabla)
    string(JSON n LENGTH "${json}" tablas "${tabla}" tramos)
    math(EXPR ultimo "${n} - 1")
    set(texto "")
    foreach(k RANGE ${ultimo})
        set(campos "")
        foreach(campo IN LISTS ARGN)
            string(REPLACE ":" ";" partes "${campo}")
            list(GET partes 0 clase)
            list(GET partes 1 clave)
            string(JSON v GET "${json}" tablas "${tabla}" tramos ${k} ${clave})
            if(clase STREQUAL "double")
                numero(v "${v}" "" 0)
            elseif(clase STREQUAL "float")
                numero(v "${v}" f 0)
            endif()
            list(APPEND campos "${v}")
        endforeach()
        list(JOIN campos ", " campos)
        string(APPEND texto "        {${campos}},\n")
    endforeach()
    set(${salida} "${texto}" PARENT_SCOPE)
endfunction()

filas(trabajos trabajos Trabajos)
filas(documentos filas Documentos)  # last: the discounts are the documents'

tramos(tramos "${tabla_marginal}" entero:hasta double:coeficiente double:base)
tramos(clases "${tabla_escalonada}" entero:hasta float:importe)
string(JSON n LENGTH "${json}" actualizacion)
math(EXPR ultimo "${n} - 1")
set(factores "")
foreach(k RANGE ${ultimo})
    string(JSON factor GET "${json}" actualizacion ${k})
    numero(factor "${factor}" "" 0)
    list(APPEND factores "${factor}")
endforeach()
list(JOIN factores ", " factores)
foreach(clave nombre vigente_desde fuente)
    valor(v "" ${clave})
    literal(${clave} "${v}")
endforeach()

file(WRITE "${SALIDA}" "// Generated from the built-in schedule's file by GenerarBaremo.cmake: do not edit.
#include \"Baremo.h\"
#include \"FormasDeRegla.h\"

namespace cdv {

std::shared_ptr<const Baremo> BaremoCompilado() {
    static const auto baremo = std::make_shared<const Baremo>(Baremo{
        ${nombre},
        ${vigente_desde},
        ${fuente},
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
${descuentos}        },
        {},
        \"\",
        {},
        {},
        {},
        {},
        {},
    });
    return baremo;
}

}  // namespace cdv
")
