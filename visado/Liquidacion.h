// The fee statement's rows, in the user's locale: each document of the request, a project
// document followed by its work items; and the request as a spreadsheet (CSV) or an HTML
// table with those rows.
#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

#include "Progreso.h"
#include "SolicitudVisado.h"

namespace cdv {

// What a row of the statement is: a document charged, or the detail of a project document
// (its work items, their sum, the document's share of it, the discount taken), which is not
// charged on its own. A project's share, or its sum where it takes it whole, less its discount
// is its fee, to the cent.
// A price list's document is followed by the steps that reach its fee (bands and their
// parts, factors, minimum, channel), which carry no amount.
enum class ClaseFila { Documento, Partida, SumaProyecto, Parte, Descuento, Paso };

struct FilaLiquidacion {
    ClaseFila clase = ClaseFila::Documento;
    QString referencia, descripcion;
    QString cantidad;  // as the file keeps it: "150,000.5"; empty for a project
    QString unidad;
    Centimos importe = 0;     // the fee of a document; the amount of a detail
    QString cantidadImpresa;  // grouped, and a budget as an amount: "150.000,00 €", "1.000 m3"
};

// The rows of `lineas` (documents of a request when `documentos`, otherwise work items); a
// project document is followed by its work items, their sum, its share of the sum when it
// takes less than the whole ("50 % (Proyecto básico)") and the discount it took.
// A price list's documents are followed by their steps, for the request's `canal`.
std::vector<FilaLiquidacion> FilasLiquidacion(const Baremo& baremo,
                                              const std::vector<LineaCompartida>& lineas,
                                              bool documentos, Canal canal = Canal::Electronica);

// The columns' headings: Referencia, Descripción, Cantidad, Unidad, Cuota, then Clase (what
// the row is) and Importe (the amount of a detail, which the Cuota column leaves out).
const std::vector<QString>& EncabezadosLiquidacion();

// UTF-8 with a byte-order mark, ";" between fields, quoted as RFC 4180 says: the request's
// particulars first, each a row of its class ("expediente", "trabajo", "colegiado", "fecha"
// of the statement, "baremo" that priced it), then the rows of the documents, a row with the
// total CDV, which the Cuota column adds up to, the IVA in force on `fecha` and the total
// with it (classes "iva" and "total con iva", amounts under Importe); quantities and amounts
// in the locale's form without grouping, so that a spreadsheet reads them as numbers.
// Nothing when `progreso` stops it.
std::optional<QByteArray> LiquidacionCsv(const ContenidoSolicitud& contenido, const QDate& fecha,
                                         const Progreso& progreso = {});

// The rows as an HTML table with a heading row, for pasting into a spreadsheet; amounts in
// currency form.
QString TablaHtml(const std::vector<FilaLiquidacion>& filas);

// The fee statement to print: below its title the date, the file's name, the schedule that
// priced it, and the work, member and file number when given; then the table of documents
// (each project followed by its items), the total CDV, the IVA in force on `fecha` and the
// total with it.
struct LiquidacionImpresa {
    QStringList datos;
    std::vector<FilaLiquidacion> filas;
    std::vector<std::pair<QString, QString>> totales;  // caption and amount, in currency form
};
LiquidacionImpresa Liquidacion(const ContenidoSolicitud& contenido, const QString& archivo,
                               const QDate& fecha);

// A printed row's cells: reference, description, quantity with its unit, the detail's amount
// and the fee, amounts in currency form.
inline constexpr int kColumnasImpresas = 5;
std::array<QString, kColumnasImpresas> CeldasImpresas(const FilaLiquidacion& fila);

}  // namespace cdv
