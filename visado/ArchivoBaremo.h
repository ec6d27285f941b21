// A fee schedule's file, as the association publishes it: JSON in UTF-8, read whole and
// checked before anything of it is used. Every key is known: a misspelt one is a fault, not
// something silently left out. Every fault is told with its place ("documentos[12].tasa").
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

#include "Baremo.h"

namespace cdv {

inline constexpr int kFormatoBaremo = 1;
// A schedule is some 40 KB: a file of more is not one.
inline constexpr qint64 kTamanoMaximoBaremo = 4 * 1024 * 1024;
// The longest reference and description (and unit) a schedule may give a row; a request's
// reader takes the same, so that every request priced by a schedule opens again.
inline constexpr qsizetype kLargoMaximoReferencia = 64;
inline constexpr qsizetype kLargoMaximoDescripcion = 400;
// The longest caption of a discount option: two fit side by side in the main window.
inline constexpr qsizetype kLargoMaximoOpcion = 40;
// The most the update factors may multiply by together, and a scale's factor alone: far
// above any schedule's, and low enough that no amount of one reaches what is kept in cents.
inline constexpr double kFactorMaximo = 1000;
// The largest amount in euros the program keeps in cents.
inline constexpr double kImporteMaximo = static_cast<double>(kCentimosMaximos) / 100;
// How many discount options a project document may offer; its frame in the main window wraps
// them into rows.
inline constexpr int kOpcionesMinimas = 2;
inline constexpr int kOpcionesMaximas = 6;

struct LecturaBaremo {
    std::shared_ptr<const Baremo> baremo;  // nothing when the file is refused
    QStringList faltas;                    // each fault: its place, then what is wrong
};

// Reads and checks a schedule. Its digest (`huella`) is that of everything it holds, so that
// the same schedule is known whatever the file it came in (blanks, order of keys).
LecturaBaremo LeerBaremo(const QByteArray& datos);
// Reads and checks the file at `ruta`; each fault begins with the file's name.
LecturaBaremo AbrirBaremo(const QString& ruta);
// What a schedule's values may reach, so that no fee of it passes what the program keeps in
// cents: the update factors together, each scale's factor, each scale's amount at its top, and
// every amount of a row once updated. A per-unit or budget fee past it for some quantity is
// refused when it is priced. Each value past it, by kind and index, for the file's readers to
// place.
enum class Limite {
    Factores,
    Coeficiente,
    TopeDeTramo,
    ImporteDeClase,
    TasaDocumento,
    MinimoDocumento,
    TasaTrabajo,
    MinimoTrabajo,
};
struct FueraDeLimite {
    Limite limite;
    qsizetype indice;
};
std::vector<FueraDeLimite> FueraDeLimites(const Baremo& baremo);
QString MensajeDeLimite(Limite limite);

// What is wrong with the discount options of a project document whose share of the project is
// `parte`: too few or too many, a first one that takes something off, a text given twice, an
// option that takes off more than the document's share. Each fault with the option it is in
// (-1: the list), whether it is in the option's text or its amount, and why.
struct FaltaDeOpcion {
    qsizetype indice;
    bool enTexto;
    QString mensaje;
    // Its place in the list at `lista`, whose options give their amount under `importe`.
    QString Lugar(const QString& lista, const char* importe) const;
};
std::vector<FaltaDeOpcion> FaltasDeOpciones(std::span<const OpcionDescuento> opciones, float parte);

// What tells a schedule of catalogues from any other: a digest of everything it holds, numbers
// by their bits, whatever the file it came in.
std::string HuellaDe(const Baremo& baremo);
// The schedule as a file that reads back as the very same schedule: a price list as its file
// was, any other in format 2. For a revision of format 1 that format 2 cannot state as it is
// (a rate with more decimals than it reads, bases that are not what their bands give), nothing,
// and why in `faltas`.
std::optional<QByteArray> EscribirBaremo(const Baremo& baremo, QStringList* faltas = nullptr);

// The schedule built into the program, compiled from its file, with its digest.
std::shared_ptr<const Baremo> BaremoIncorporado();

// The association whose schedule it is, with its branch: "Colegio X (Demarcación Y)"; empty
// for the program's own.
QString NombreColegio(const Baremo& baremo);
// What tells one association (or one of its branches) from another: its name, with its branch.
std::string ClaveColegio(const std::string& colegio, const std::string& demarcacion);
inline std::string ClaveColegio(const Baremo& baremo) {
    return ClaveColegio(baremo.colegio, baremo.demarcacion);
}

// "05/02/2007", from "2007-02-05".
QString FechaDeVigencia(const Baremo& baremo);

}  // namespace cdv
