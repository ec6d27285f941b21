// Records what the schedule tells the user, in place of a message box.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "Mensajes.h"

struct RegistroMensajes {
    std::vector<std::pair<std::string, std::string>> mensajes;  // text, title

    RegistroMensajes() {
        cdv::InstalarServicioMensajes([this](std::string_view texto, std::string_view titulo) {
            mensajes.emplace_back(texto, titulo);
        });
    }
    ~RegistroMensajes() { cdv::InstalarServicioMensajes({}); }
    RegistroMensajes(const RegistroMensajes&) = delete;
    RegistroMensajes& operator=(const RegistroMensajes&) = delete;
};
