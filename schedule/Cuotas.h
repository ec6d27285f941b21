// The fee rules: a work item's fee (CuotaTrabajo) and a document's fee (CuotaDocumento).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "Baremo.h"
#include "Desglose.h"
#include "TextoNumerico.h"

namespace cdv {

// The unit a fee rule prices in, as the entry and the summary lines show it: "Ud." per
// unit, the row's own unit for magnitudes and surfaces, "P.E.M." or "Presupuesto" for a
// budget; none for a rule without a quantity.
std::string_view UnidadTrabajo(const TrabajoTT& fila);
std::string_view UnidadDocumento(const DocumentoTD& fila);

// The number in a quantity typed for a row of rule `regla`: a budget's may carry the euro
// sign (SinSignoEuro), any other's is the text itself.
std::string_view NumeroDeCantidad(Regla regla, std::string_view cantidad);

enum class Resultado {
    Invalida,   // no row selected, or the quantity is not a number
    Cuota,      // a fee
    SinCuota,   // the row's fee rule prices no quantity
    Excesiva,   // the fee is not finite, or beyond kCentimosMaximos: no fee to show or keep
    Imprecisa,  // single precision changed the quantity typed, and so its fee: none
};

// A fee rule's answer: everything the caller shows or keeps of it.
struct CuotaCalculada {
    Resultado resultado = Resultado::Invalida;
    double importe = 0.0;              // the fee in euros
    std::string texto;                 // its shown text; empty unless resultado is Cuota
    std::optional<Centimos> centimos;  // the text's exact cents, within kCentimosMaximos
    std::string_view aviso;            // a scale's message, when the amount passed its limit
};

// Fee of a work item of row `fila` of `baremo` (nullptr: none selected) for the quantity as
// typed. The shown text is the "#,##0.00" form.
// With `pasos`, each rule also writes how it reaches the fee, its last step "Cuota: " and
// the fee's text; nothing when there is no fee.
CuotaCalculada CuotaTrabajo(const Baremo& baremo, const TrabajoTT* fila, std::string_view cantidad,
                            const Separadores& s, Desglose* pasos = nullptr);

// Fee of a per-unit or budget document of row `fila` of `baremo` (nullptr: none selected)
// for the quantity as typed. Any other rule has no fee here.
CuotaCalculada CuotaDocumento(const Baremo& baremo, const DocumentoTD* fila,
                              std::string_view cantidad, const Separadores& s,
                              Desglose* pasos = nullptr);

struct CuotaProyecto {
    Centimos cuota = 0;      // the row's share of the project, less the discount
    Centimos descuento = 0;  // what the earlier stage took off; 0 when none
    std::string texto;       // the fee in plain form, every cent kept
};

// Fee of a project document: the project's total times the row's share, less the total
// times `fraccionDescuento`, the discount option chosen (0 for a row without); each product is
// rounded to the cent half away from zero. Nothing when an amount leaves kCentimosMaximos.
std::optional<CuotaProyecto> CuotaDocumento(const DocumentoTD& fila, Centimos sumaProyecto,
                                            float fraccionDescuento, const Separadores& s);

// Each worked example of `baremo` whose fee, as the windows show it, differs from the published
// one, with both amounts.
std::vector<std::string> EjemplosQueFallan(const Baremo& baremo);

}  // namespace cdv
