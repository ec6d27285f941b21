// What the program does without a window, for batch use: `cdv --pdf OUT.pdf FILE.cdv`,
// `cdv --csv OUT.csv FILE.cdv`, and for the association's staff, `cdv --comprobar-baremo
// FILE` and `cdv --exportar-baremo FILE`.
#pragma once

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

class QCommandLineParser;

enum class FormatoLote { Pdf, Csv };

// The statement's date: today's, from the program's clock.
QDate FechaLiquidacion();

struct Exportacion {
    FormatoLote formato;
    QString salida;
};

// Reads the request in `entrada` and writes its fee statement in each form asked for.
// Says what went wrong on standard error; answers the program's exit status: 0 when all are
// written, 1 for a file that cannot be opened, 2 when any cannot be written (the others are),
// 3 when all are written but priced under another schedule than the one the request records,
// which is not installed (the notice goes to standard error).
int ExportarEnLote(const QString& entrada, const std::vector<Exportacion>& exportaciones);

// Prints "correcto" when the schedule file at `ruta` can be used, otherwise each of its faults;
// answers 0 or 1.
int ComprobarBaremo(const QString& ruta);
// Writes the schedule in force to `ruta`, the starting point of a revision; answers 0, or 2
// when it cannot be written.
int ExportarBaremo(const QString& ruta);

// The program's options, on `opciones`: the exports and the schedule's commands.
void AnadirOpcionesSinVentana(QCommandLineParser& opciones);
// Runs what the options ask that needs no window, and answers the exit status; nothing when
// they ask for the window.
std::optional<int> EjecutarSinVentana(const QCommandLineParser& opciones);
