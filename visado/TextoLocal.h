// Texts between the schedule (UTF-8, any separators), the user's locale and the request's
// file, which keeps numbers with the same separators whatever the locale.
#pragma once

#include <QDate>
#include <QString>
#include <QStringView>
#include <string>
#include <string_view>

#include "TextoNumerico.h"

inline QString Qs(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}
inline std::string Us(const QString& texto) {
    return texto.toStdString();
}

namespace cdv {

// The decimal and grouping separators of QLocale(), read at each call.
Separadores SeparadoresActuales();

// The request keeps quantities and fees with a point for decimals and a comma for groups.
inline const Separadores kSeparadoresArchivo{".", ","};

// The same number written with the separators `a` instead of `de`: each separator is
// swapped for its counterpart, everything else stays (signs, exponents, blanks).
QString CambiarSeparadores(const QString& texto, const Separadores& de, const Separadores& a);

inline QString AlArchivo(const QString& texto) {
    return CambiarSeparadores(texto, SeparadoresActuales(), kSeparadoresArchivo);
}
// How much of a text from a file, a schedule or the user a message quotes: beyond `largo`
// characters, cut with "…".
inline constexpr qsizetype kLargoCita = 200;
QString Recortado(const QString& texto, qsizetype largo = kLargoCita);

// Why `texto` cannot be a one-line field's (a reference, a name, the work, a file number):
// a control character, a line or paragraph separator, or a bidirectional override or
// isolate (U+202A–U+202E, U+2066–U+2069), which a box never lets a user type and which
// could lay out a forged line on the statement; named with its place ("un carácter de
// control (U+000A) en la posición 5"). Empty when it has none.
QString CaracterImpropio(const QString& texto);

// A tooltip's text that Qt would take for markup, escaped so that it shows as it is.
QString AyudaLlana(const QString& texto);

// A quantity as the file keeps it, as the statement prints it: grouped in the locale's way
// ("1.000.000", "2,5"); one it cannot group (an exponent) as the locale writes it.
QString CantidadAgrupada(const QString& cantidadArchivo);

// A date as files and schedules keep it, "AAAA-MM-DD" exactly: any other text, or a day the
// calendar does not have, gives an invalid date.
QDate FechaDeArchivo(QStringView texto);
// A date as files and schedules keep it ("2026-12-08").
inline QString FechaAlArchivo(const QDate& fecha) {
    return fecha.toString(Qt::ISODate);
}
// A date as Spanish reads it ("08/12/2026").
QString FechaDiaMesAno(const QDate& fecha);

inline QString DelArchivo(const QString& texto) {
    return CambiarSeparadores(texto, kSeparadoresArchivo, SeparadoresActuales());
}

}  // namespace cdv
