#include "Mensajes.h"

#include <iostream>
#include <utility>

namespace cdv {

namespace {

void EscribirEnErrorEstandar(std::string_view texto, std::string_view titulo) {
    std::cerr << titulo << ": " << texto << '\n';
}

int silencios = 0;

ServicioMensajes& Servicio() {
    static ServicioMensajes servicio = EscribirEnErrorEstandar;
    return servicio;
}

}  // namespace

void InstalarServicioMensajes(ServicioMensajes servicio) {
    Servicio() = servicio ? std::move(servicio) : ServicioMensajes(EscribirEnErrorEstandar);
}

void Avisar(std::string_view texto, std::string_view titulo) {
    if (silencios == 0) Servicio()(texto, titulo);
}

MensajesEnSilencio::MensajesEnSilencio() {
    ++silencios;
}

MensajesEnSilencio::~MensajesEnSilencio() {
    --silencios;
}

}  // namespace cdv
