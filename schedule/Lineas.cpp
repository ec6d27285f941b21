#include "Lineas.h"

namespace cdv {

namespace {

bool EsContinuacion(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// Byte offset at which character number `n` starts (the text's size if it has fewer).
std::size_t InicioDeCaracter(std::string_view utf8, std::size_t n) {
    std::size_t i = 0;
    for (; i < utf8.size(); ++i) {
        if (!EsContinuacion(utf8[i]) && n-- == 0) break;
    }
    return i;
}

}  // namespace

std::size_t ContarCaracteres(std::string_view utf8) {
    std::size_t n = 0;
    for (const char byte : utf8) n += EsContinuacion(byte) ? 0 : 1;
    return n;
}

std::string AjustarAncho(std::string_view utf8, std::size_t ancho) {
    const std::size_t largo = ContarCaracteres(utf8);
    if (largo >= ancho) return std::string(utf8.substr(0, InicioDeCaracter(utf8, ancho)));
    return std::string(utf8) + std::string(ancho - largo, ' ');
}

std::string Abreviar(std::string_view utf8, std::size_t ancho) {
    if (ContarCaracteres(utf8) <= ancho) return AjustarAncho(utf8, ancho);
    return AjustarAncho(utf8, ancho - 3) + "...";
}

std::string LineaPartida(std::string_view ref, std::string_view descripcion,
                         std::string_view unidad, std::string_view cantidad,
                         std::string_view cuota) {
    std::string linea = AjustarAncho(ref, 6) + Abreviar(descripcion, 60) + "   ";
    linea.append(unidad).append(": ").append(cantidad).append("   Total: ");
    return linea.append(cuota).append(" €");
}

std::string LineaProyecto(std::string_view ref, std::string_view descripcion,
                          const std::vector<PartidaProyecto>& partidas,
                          std::string_view opcionDescuento, std::string_view cuota) {
    std::string linea = AjustarAncho(ref, 6) + Abreviar(descripcion, 20) + "   ";
    for (std::size_t k = 0; k < partidas.size(); ++k) {
        if (k > 0) linea += ", ";
        linea += partidas[k].ref + " (" + partidas[k].cantidad + ")";
    }
    linea += "   ";
    if (!opcionDescuento.empty())
        linea.append("Descontado el ").append(opcionDescuento).append("   ");
    return linea.append("Total: ").append(cuota).append(" €");
}

}  // namespace cdv
