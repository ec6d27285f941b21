// One line of a visa request, priced by the schedule: a document for the visa, or a work
// item of the project under way.
#pragma once

#include <QString>
#include <QStringList>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "Baremo.h"
#include "TextoNumerico.h"

namespace cdv {

// The option chosen of each factor list a price list's row weighs by: list → option.
using Factores = std::map<std::string, std::string>;

struct Linea {
    int fila = 0;        // row of the schedule's TablaTD (a document) or TablaTT (a work item)
    QString cantidad;    // as typed, with the file's separators; empty for a project
    Centimos cuota = 0;  // the fee, exact
    QString texto;       // the fee as shown, with the file's separators
    std::vector<std::shared_ptr<const Linea>> partidas;  // a project document's work items
    int opcion = 0;                                      // a project document's discount option
    Centimos descuento = 0;                              // what that discount took off
    Factores factores;  // a price list's row: the options it was priced with
    // What a line read from a file was saved as ("Certificado, Ud."), when its schedule row
    // now reads otherwise: its reference means something else. Empty otherwise.
    QString antes;
};

using LineaCompartida = std::shared_ptr<const Linea>;

// A priced line, or why it cannot be added: a lower-case clause such as "la cantidad es
// negativa", to be put in a sentence.
struct Tasacion {
    std::optional<Linea> linea;
    QString motivo;
};

// A document of row `fila` of `baremo` for a quantity written with the file's separators.
// Only per-unit and budget documents are priced so; an empty budget is a fee of 0. A row of a
// price list takes the request's channel and the options of the factor lists it weighs by (no
// quantity when it asks for none).
Tasacion TasarDocumento(const Baremo& baremo, int fila, const QString& cantidad,
                        Canal canal = Canal::Electronica, const Factores& factores = {});
// How a price list's row reached the fee of `linea` under `canal`, step by step, the numbers
// in the user's locale; none for any other line.
QStringList PasosDe(const Baremo& baremo, const Linea& linea, Canal canal);
// A work item of TablaTT row `fila`.
Tasacion TasarPartida(const Baremo& baremo, int fila, const QString& cantidad);
// A project document of row `fila` over `partidas`, less its discount option `opcion` (a
// document without options takes none).
Tasacion TasarProyecto(const Baremo& baremo, int fila, std::vector<LineaCompartida> partidas,
                       int opcion);

// The sum of the fees of `lineas`, checked as it grows; nothing beyond kCentimosMaximos.
std::optional<Centimos> SumaDe(const std::vector<LineaCompartida>& lineas);

// Whether two lines hold the same (row, quantity, fee, work items, discount), whichever
// copies they are: a file read again, or a session recovered, makes new ones.
bool MismaLinea(const Linea& a, const Linea& b);
bool MismasLineas(const std::vector<LineaCompartida>& a, const std::vector<LineaCompartida>& b);

// Whether the work items of a project under way are held by a project line of `documentos`
// (as "Hecho" leaves them), or are none: nothing of them is lost, nor counted twice.
bool PartidasEnDocumentos(const std::vector<LineaCompartida>& documentos,
                          const std::vector<LineaCompartida>& partidas);

// The discount options the document of row `fila` offers; none for most.
std::span<const OpcionDescuento> DescuentosDe(const Baremo& baremo, int fila);

// The discount a project document took ("Anteproyecto"...); empty when it took none.
std::string_view DescuentoTomado(const Baremo& baremo, const Linea& linea);

// The summary line of a document or work item, in the user's locale.
QString TextoLineaDocumento(const Baremo& baremo, const Linea& linea);
QString TextoLineaPartida(const Baremo& baremo, const Linea& linea);

}  // namespace cdv
