// The property a fuzz target checks on any input, shared with the replay of its corpus. Two
// libraries define it: one for the number parser and the fee rules, one for the request
// file reader. Answers an empty text when everything holds, otherwise what failed.
#pragma once

#include <string>
#include <string_view>

#include "Catalogos.h"
#include "Mensajes.h"

std::string ComprobarEntrada(std::string_view datos);

// The schedule loaded and its messages silenced, once for the whole run.
inline void PrepararBaremo() {
    static const bool preparado = [] {
        cdv::CargarTablaTT();
        cdv::CargarTablaTD();
        cdv::InstalarServicioMensajes([](std::string_view, std::string_view) {});
        return true;
    }();
    (void)preparado;
}
