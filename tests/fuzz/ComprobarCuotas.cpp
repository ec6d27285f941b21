// For the number parser and the fee rules: byte 0 picks the rows, byte 1 the separators;
// the rest is the quantity text. For any bytes and any row, every result is invalid, no fee,
// or a finite amount whose text reads back to the same cents and ends the steps to it.
#include "Comprobar.h"

#include <cmath>

#include "Cuotas.h"

namespace {

const cdv::Separadores kSeparadores[] = {{",", "."}, {".", ","}, {",", "\u202f"}, {".", "'"}};

// Invalid exactly when there is no number or no row; a fee is finite and its text reads
// back to its cents (within the amounts kept in cents). Asking for the steps changes nothing,
// and they end with the fee's text (none without a fee).
template <typename Regla>
std::string Comprobar(const char* nombre, const Regla& regla, bool valida,
                      const cdv::Separadores& s) {
    cdv::Desglose pasos;
    const cdv::CuotaCalculada c = regla(nullptr), conPasos = regla(&pasos);
    const std::string fallo = std::string(nombre) + ": ";
    if ((c.resultado == cdv::Resultado::Invalida) == valida) return fallo + "validez";
    if (conPasos.texto != c.texto || conPasos.importe != c.importe) return fallo + "pasos";
    // An amount past what is kept, or a quantity a float changed, is no fee: nothing shown,
    // nothing to keep, and the steps say why.
    if (c.resultado == cdv::Resultado::Excesiva || c.resultado == cdv::Resultado::Imprecisa)
        return c.texto.empty() && !c.centimos && !pasos.empty() ? "" : fallo + "excesiva";
    if (c.resultado != cdv::Resultado::Cuota)
        return c.texto.empty() && pasos.empty() ? "" : fallo + "texto";
    if (!std::isfinite(c.importe)) return fallo + "no finita";
    if (pasos.empty() || pasos.back() != "Cuota: " + c.texto) return fallo + "último paso";
    // The cents it carries are the text's and the amount's.
    const auto centimos = cdv::ImporteDecimal::DesdeDouble(c.importe).ACentimos();
    return c.centimos && c.centimos == cdv::LeerCentimos(c.texto, s) && c.centimos == centimos
               ? ""
               : fallo + c.texto;
}

}  // namespace

std::string ComprobarEntrada(std::string_view datos) {
    const cdv::Baremo& b = *cdv::BaremoCompilado();
    if (datos.size() < 2) return "";
    const auto eleccion = static_cast<unsigned char>(datos[0]);
    const cdv::Separadores& s = kSeparadores[static_cast<unsigned char>(datos[1]) % 4];
    const std::string_view texto = datos.substr(2);
    const bool numero = cdv::LeerNumero(texto, s).has_value();

    const cdv::TrabajoTT* trabajo = b.TablaTT.Fila(eleccion % 40);  // 0: none
    const cdv::DocumentoTD* documento = b.TablaTD.Fila(eleccion % 50);
    if (auto fallo = Comprobar(
            "CuotaTrabajo",
            [&](cdv::Desglose* p) { return cdv::CuotaTrabajo(b, trabajo, texto, s, p); },
            numero && trabajo, s);
        !fallo.empty())
        return fallo;
    if (auto fallo = Comprobar(
            "CuotaDocumento",
            [&](cdv::Desglose* p) { return cdv::CuotaDocumento(b, documento, texto, s, p); },
            numero && documento, s);
        !fallo.empty())
        return fallo;

    // The same text as a project's total, for every project document and each discount it offers.
    const auto suma = cdv::LeerCentimos(texto, s);
    if (!suma || *suma < 0) return "";
    for (int fila = 1; fila <= b.TablaTD.Filas(); ++fila) {
        const cdv::DocumentoTD& proyecto = *b.TablaTD.Fila(fila);
        if (proyecto.Tipo != cdv::Regla::ParteDelProyecto) continue;
        std::vector<float> fracciones{0.0f};
        for (const cdv::OpcionDescuento& o : b.DescuentosDe(proyecto.Ref))
            fracciones.push_back(o.fraccion);
        for (const float fraccion : fracciones) {
            const auto p = cdv::CuotaDocumento(proyecto, *suma, fraccion, s);
            if (!p || p->descuento < 0 || p->cuota < 0 || p->cuota > *suma ||
                cdv::LeerCentimos(p->texto, s) != p->cuota)
                return "CuotaDocumento de proyecto: " + (p ? p->texto : std::string("sin cuota"));
        }
    }
    return "";
}

// A row byte, a separators byte, and a quantity text of digits, round figures near the scales'
// limits, separators of every kind, signs, exponents, blanks and long runs of zeros.
std::string EntradaAlAzar(std::mt19937_64& azar) {
    static const std::string_view kPiezas[] = {
        "0",     "1",  "3",  "7",  "9",           "25",  "175", "350",    "875", "1750", "17500",
        "70000", "56", "12", ",",  ".",           "'",   " ",   "\u202f", "-",   "+",    "e",
        "E",     "e-", "38", "39", "99999999999", "inf", "0x",  "\t",     "1e",  "5e-",  ",5"};
    std::string entrada{static_cast<char>(azar()), static_cast<char>(azar())};
    for (std::size_t n = Al(azar, 9); n > 0; --n) {
        if (Al(azar, 20) == 0)
            entrada += static_cast<char>(azar());
        else
            entrada += kPiezas[Al(azar, std::size(kPiezas))];
    }
    if (Al(azar, 200) == 0) entrada.insert(2 + Al(azar, entrada.size() - 1), 5000, '0');
    return entrada;
}
