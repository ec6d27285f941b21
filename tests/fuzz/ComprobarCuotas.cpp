#include "ComprobarCuotas.h"

#include <cmath>
#include <initializer_list>

#include "Cuotas.h"
#include "Mensajes.h"

namespace {

const cdv::Separadores kSeparadores[] = {{",", "."}, {".", ","}, {",", "\u202f"}, {".", "'"}};

// A fee must be finite, and the text shown for it must read back to the cents it stands
// for (where it is within the amounts kept in cents).
std::string ComprobarCuota(const char* regla, const cdv::CuotaCalculada& cuota,
                           const cdv::Separadores& s) {
    if (cuota.resultado != cdv::Resultado::Cuota) {
        return cuota.texto.empty() ? "" : std::string(regla) + ": texto sin cuota";
    }
    if (!std::isfinite(cuota.importe)) return std::string(regla) + ": importe no finito";
    const auto centimos = cdv::ImporteDecimal::DesdeDouble(cuota.importe).ACentimos();
    if (centimos && cdv::LeerCentimos(cuota.texto, s) != centimos) {
        return std::string(regla) + ": el texto " + cuota.texto + " no vuelve a sus céntimos";
    }
    return "";
}

}  // namespace

std::string ComprobarEntrada(std::string_view datos) {
    static const bool preparado = [] {
        cdv::CargarTablaTT();
        cdv::CargarTablaTD();
        cdv::InstalarServicioMensajes([](std::string_view, std::string_view) {});
        return true;
    }();
    (void)preparado;
    if (datos.size() < 2) return "";
    const auto eleccion = static_cast<unsigned char>(datos[0]);
    const cdv::Separadores& s = kSeparadores[static_cast<unsigned char>(datos[1]) % 4];
    const std::string_view texto = datos.substr(2);

    const auto numero = cdv::LeerNumero(texto, s);
    if (numero && !std::isfinite(*numero)) return "LeerNumero: no finito";
    const int filaTT = eleccion % 40;  // 0: none selected
    const int filaTD = eleccion % 50;
    const cdv::TrabajoTT* trabajo = cdv::TablaTT.Fila(filaTT);
    const cdv::DocumentoTD* documento = cdv::TablaTD.Fila(filaTD);

    const auto cuotaTT = cdv::CuotaTrabajo(trabajo, texto, s);
    if ((cuotaTT.resultado == cdv::Resultado::Invalida) != (!numero || trabajo == nullptr)) {
        return "CuotaTrabajo: inválida sin motivo, o válida sin número";
    }
    if (auto fallo = ComprobarCuota("CuotaTrabajo", cuotaTT, s); !fallo.empty()) return fallo;
    const auto cuotaTD = cdv::CuotaDocumento(documento, texto, s);
    if ((cuotaTD.resultado == cdv::Resultado::Invalida) != (!numero || documento == nullptr)) {
        return "CuotaDocumento: inválida sin motivo, o válida sin número";
    }
    if (auto fallo = ComprobarCuota("CuotaDocumento", cuotaTD, s); !fallo.empty()) return fallo;

    // The same text as a project's total, for every project document and discount.
    const auto suma = cdv::LeerCentimos(texto, s);
    if (!suma || *suma < 0) return "";
    for (int fila = 1; fila <= cdv::TablaTD.Filas(); ++fila) {
        if (cdv::TablaTD.Fila(fila)->Tipo != 5) continue;
        for (const float fraccion : {0.0f, 0.25f, 0.5f}) {
            const auto proyecto = cdv::CuotaDocumento(*cdv::TablaTD.Fila(fila), *suma, fraccion, s);
            if (!proyecto) return "CuotaDocumento de proyecto: sin cuota dentro del rango";
            if (proyecto->descuento < 0 || proyecto->cuota < 0 || proyecto->cuota > *suma) {
                return "CuotaDocumento de proyecto: cuota o descuento fuera de la suma";
            }
            if (cdv::LeerCentimos(proyecto->texto, s) != proyecto->cuota) {
                return "CuotaDocumento de proyecto: el texto " + proyecto->texto +
                       " no vuelve a sus céntimos";
            }
        }
    }
    return "";
}
