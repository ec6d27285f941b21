// Exports without a window, for batch use: `cdv --csv OUT.csv FILE.cdv`.
#pragma once

#include <QString>

// Reads the request in `entrada` and writes its fee statement as a spreadsheet to `salida`.
// Says what went wrong on standard error; answers the program's exit status: 0 when written,
// 1 for a file that cannot be opened, 2 for one that cannot be written.
int ExportarCsvEnLote(const QString& entrada, const QString& salida);
