// For the number parser and the fee rules: byte 0 picks the rows, byte 1 the separators;
// the rest is the quantity text. For any bytes and any row, every result is invalid, no fee,
// or a finite amount whose text reads back to the same cents.
#include "Comprobar.h"

#include <cmath>

#include "Cuotas.h"

namespace {

const cdv::Separadores kSeparadores[] = {{",", "."}, {".", ","}, {",", "\u202f"}, {".", "'"}};

// Invalid exactly when there is no number or no row; a fee is finite and its text reads
// back to its cents (within the amounts kept in cents).
std::string Comprobar(const char* regla, const cdv::CuotaCalculada& c, bool valida,
                      const cdv::Separadores& s) {
    if ((c.resultado == cdv::Resultado::Invalida) == valida)
        return std::string(regla) + ": validez";
    if (c.resultado != cdv::Resultado::Cuota)
        return c.texto.empty() ? "" : std::string(regla) + ": texto";
    if (!std::isfinite(c.importe)) return std::string(regla) + ": no finita";
    const auto centimos = cdv::ImporteDecimal::DesdeDouble(c.importe).ACentimos();
    if (centimos && cdv::LeerCentimos(c.texto, s) != centimos)
        return std::string(regla) + ": " + c.texto;
    return "";
}

}  // namespace

std::string ComprobarEntrada(std::string_view datos) {
    PrepararBaremo();
    if (datos.size() < 2) return "";
    const auto eleccion = static_cast<unsigned char>(datos[0]);
    const cdv::Separadores& s = kSeparadores[static_cast<unsigned char>(datos[1]) % 4];
    const std::string_view texto = datos.substr(2);
    const bool numero = cdv::LeerNumero(texto, s).has_value();

    const cdv::TrabajoTT* trabajo = cdv::TablaTT.Fila(eleccion % 40);  // 0: none
    const cdv::DocumentoTD* documento = cdv::TablaTD.Fila(eleccion % 50);
    if (auto fallo =
            Comprobar("CuotaTrabajo", cdv::CuotaTrabajo(trabajo, texto, s), numero && trabajo, s);
        !fallo.empty())
        return fallo;
    if (auto fallo = Comprobar("CuotaDocumento", cdv::CuotaDocumento(documento, texto, s),
                               numero && documento, s);
        !fallo.empty())
        return fallo;

    // The same text as a project's total, for every project document and discount.
    const auto suma = cdv::LeerCentimos(texto, s);
    if (!suma || *suma < 0) return "";
    for (int fila = 1; fila <= cdv::TablaTD.Filas(); ++fila) {
        if (cdv::TablaTD.Fila(fila)->Tipo != 5) continue;
        for (const float fraccion : {0.0f, 0.25f, 0.5f}) {
            const auto p = cdv::CuotaDocumento(*cdv::TablaTD.Fila(fila), *suma, fraccion, s);
            if (!p || p->descuento < 0 || p->cuota < 0 || p->cuota > *suma ||
                cdv::LeerCentimos(p->texto, s) != p->cuota)
                return "CuotaDocumento de proyecto: " + (p ? p->texto : std::string("sin cuota"));
        }
    }
    return "";
}
