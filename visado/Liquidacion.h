// The fee statement's rows, in the user's locale: each document of the request, a project
// document followed by its work items; and the request as a spreadsheet (CSV) or an HTML
// table with those rows.
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

#include "SolicitudVisado.h"

namespace cdv {

struct FilaLiquidacion {
    QString referencia, descripcion, cantidad, unidad;
    QString cuota;  // as the screen shows it
    Centimos centimos = 0;
    bool partida = false;  // a work item of the project document above it
};

// The rows of `lineas` (documents of a request when `documentos`, otherwise work items).
std::vector<FilaLiquidacion> FilasLiquidacion(const std::vector<LineaCompartida>& lineas,
                                              bool documentos);

// The columns' headings: Referencia, Descripción, Cantidad, Unidad, Cuota.
const std::vector<QString>& EncabezadosLiquidacion();

// UTF-8 with a byte-order mark, ";" between fields, quoted as RFC 4180 says, one row per
// document and per work item and a last row with the total CDV; amounts in the locale's form
// without grouping, so that a spreadsheet reads them as numbers.
QByteArray LiquidacionCsv(const ContenidoSolicitud& contenido);

// The rows as an HTML table with a heading row, for pasting into a spreadsheet.
QString TablaHtml(const std::vector<FilaLiquidacion>& filas);

// The fee statement to print: heading, date, the file's name and the work and member when
// given, the table of documents (each project followed by its items), the total CDV.
QString LiquidacionHtml(const ContenidoSolicitud& contenido, const QString& archivo,
                        const QString& fecha);

}  // namespace cdv
