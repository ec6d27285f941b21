// Exports without a window, for batch use: `cdv --pdf OUT.pdf FILE.cdv`, `cdv --csv OUT.csv
// FILE.cdv`.
#pragma once

#include <QString>
#include <vector>

enum class FormatoLote { Pdf, Csv };

// The statement's date as it is printed: today's.
QString FechaLiquidacion();

struct Exportacion {
    FormatoLote formato;
    QString salida;
};

// Reads the request in `entrada` and writes its fee statement in each form asked for.
// Says what went wrong on standard error; answers the program's exit status: 0 when all are
// written, 1 for a file that cannot be opened, 2 when any cannot be written (the others are).
int ExportarEnLote(const QString& entrada, const std::vector<Exportacion>& exportaciones);
