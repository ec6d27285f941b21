#include "Catalogos.h"

#include <array>

namespace cdv {

namespace {

// How each rule prices, in words, by its code: for a work type and for a document type.
constexpr std::array<std::string_view, 7> kReglasTrabajo{
    "Sin cuota",
    "Por unidad",
    "Por magnitud, con la escala de DV",
    "Por presupuesto, con la escala de DV",
    "Por superficie, con la escala de superficie",
    "Sin cuota",
    "Sin cuota",
};
constexpr std::array<std::string_view, 7> kReglasDocumento{
    "Sin cuota",
    "Por unidad",
    "Sin cuota",
    "Por presupuesto",
    "Sin cuota",
    "Parte del proyecto",
    "Según su regla de la tarifa",
};

}  // namespace

std::optional<Regla> ReglaDeCodigo(std::int64_t codigo) {
    if (codigo < CodigoDeRegla(Regla::SinCuota) || codigo > CodigoDeRegla(Regla::ParteDelProyecto))
        return std::nullopt;
    return static_cast<Regla>(codigo);
}

std::string_view NombreReglaTrabajo(Regla regla) {
    return kReglasTrabajo[static_cast<std::size_t>(CodigoDeRegla(regla))];
}

std::string_view NombreReglaDocumento(Regla regla) {
    return kReglasDocumento[static_cast<std::size_t>(CodigoDeRegla(regla))];
}

}  // namespace cdv
