// The fixed-width summary lines. Widths count characters, not bytes: the catalogue texts are
// UTF-8 and hold accents, "€" and "…".
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace cdv {

std::size_t ContarCaracteres(std::string_view utf8);

// Exactly `ancho` characters: cut, or padded with blanks on the right.
std::string AjustarAncho(std::string_view utf8, std::size_t ancho);

// Exactly `ancho` characters: padded with blanks, or if longer its first ancho - 3
// characters followed by "...".
std::string Abreviar(std::string_view utf8, std::size_t ancho);

// The line of an added work item or document:
// Ref (6) Descripcion (60) "   " unidad ": " cantidad "   Total: " cuota " €".
std::string LineaPartida(std::string_view ref, std::string_view descripcion,
                         std::string_view unidad, std::string_view cantidad,
                         std::string_view cuota);

struct PartidaProyecto {
    std::string ref;
    std::string cantidad;
};

// The line of a confirmed project: Ref (6) Descripcion (20) "   ", then "ref (cantidad)"
// for every item joined by ", " and followed by "   ", then, when a discount was taken,
// "Descontado el " opcionDescuento "   ", and last "Total: " cuota " €".
std::string LineaProyecto(std::string_view ref, std::string_view descripcion,
                          const std::vector<PartidaProyecto>& partidas,
                          std::string_view opcionDescuento, std::string_view cuota);

}  // namespace cdv
