// The channel through which the schedule tells the user something. The application installs
// a service (a modal message box in the program, a recorder in tests); Avisar returns only
// after the service has returned.
#pragma once

#include <functional>
#include <string_view>

namespace cdv {

inline constexpr std::string_view kTituloError = "   ERROR";

using ServicioMensajes = std::function<void(std::string_view texto, std::string_view titulo)>;

// Replaces the service; an empty one restores the default, which writes to standard error.
void InstalarServicioMensajes(ServicioMensajes servicio);

void Avisar(std::string_view texto, std::string_view titulo = kTituloError);

// While one lives, Avisar says nothing: for pricing again what the user has already seen
// priced (adding a line, reading a file).
class MensajesEnSilencio {
  public:
    MensajesEnSilencio();
    ~MensajesEnSilencio();
    MensajesEnSilencio(const MensajesEnSilencio&) = delete;
    MensajesEnSilencio& operator=(const MensajesEnSilencio&) = delete;
};

}  // namespace cdv
