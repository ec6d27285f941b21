// The fee statement on paper or in a PDF: A4 pages with the table's heading repeated and
// "Página N de M" at each foot.
#pragma once

#include <QString>

class QPagedPaintDevice;

// Paints the statement `html` on the pages of `dispositivo` (a printer or a PDF writer).
void PintarLiquidacion(const QString& html, QPagedPaintDevice& dispositivo);

// Writes the statement as a PDF file whole or not at all; answers why it failed, or nothing.
QString GuardarPdf(const QString& html, const QString& ruta);
