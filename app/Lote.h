// Exports without a window, for batch use: `cdv --pdf OUT.pdf FILE.cdv`, `cdv --csv OUT.csv
// FILE.cdv`.
#pragma once

#include <QString>

enum class FormatoLote { Pdf, Csv };

// The statement's date as it is printed: today's.
QString FechaLiquidacion();

// Reads the request in `entrada` and writes its fee statement to `salida` in `formato`.
// Says what went wrong on standard error; answers the program's exit status: 0 when written,
// 1 for a file that cannot be opened, 2 for one that cannot be written.
int ExportarEnLote(const QString& entrada, const QString& salida, FormatoLote formato);
