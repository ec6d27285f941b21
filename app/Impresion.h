// The fee statement on paper or in a PDF: A4 pages, the table's heading on each, no row split
// between two, and "Página N de M" at each foot. One pass measures the rows and places them
// on pages, another paints them, so that the work grows with the rows and no more.
#pragma once

#include <QByteArray>
#include <optional>

#include "Liquidacion.h"
#include "Progreso.h"

class QPagedPaintDevice;

// The statement's title, at the top of its first page and on its window and file.
inline constexpr char kTituloLiquidacion[] = "Liquidación de cuotas de visado (CDV)";

// Paints `liquidacion` on the pages of `dispositivo` (a printer or a PDF writer); false when
// `progreso` stopped it, and then a printer's job is given up.
bool PintarLiquidacion(const cdv::LiquidacionImpresa& liquidacion, QPagedPaintDevice& dispositivo,
                       const cdv::Progreso& progreso = {});

// The statement as a PDF file; nothing when `progreso` stopped it.
std::optional<QByteArray> LiquidacionPdf(const cdv::LiquidacionImpresa& liquidacion,
                                         const cdv::Progreso& progreso = {});
