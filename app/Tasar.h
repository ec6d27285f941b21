// `cdv --tasar REF CANTIDAD [--canal papel] [--factor NOMBRE=OPCION …] [--baremo FILE]`: one
// fee and how it is reached, for an association's staff checking their schedule row by row.
#pragma once

class QCommandLineParser;

// The options it takes besides --tasar itself.
void AnadirOpcionesDeTasar(QCommandLineParser& opciones);
// Writes each step, then the fee in the locale's form on the last line; answers 0, or 1 when
// the schedule, the row or the input is refused (said on standard error).
int TasarEnLote(const QCommandLineParser& opciones);
