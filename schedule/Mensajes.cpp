#include "Mensajes.h"

#include <iostream>
#include <utility>

namespace cdv {

namespace {

void EscribirEnErrorEstandar(std::string_view texto, std::string_view titulo) {
    std::cerr << titulo << ": " << texto << '\n';
}

ServicioMensajes& Servicio() {
    static ServicioMensajes servicio = EscribirEnErrorEstandar;
    return servicio;
}

}  // namespace

void InstalarServicioMensajes(ServicioMensajes servicio) {
    Servicio() = servicio ? std::move(servicio) : ServicioMensajes(EscribirEnErrorEstandar);
}

void Avisar(std::string_view texto, std::string_view titulo) {
    Servicio()(texto, titulo);
}

}  // namespace cdv
