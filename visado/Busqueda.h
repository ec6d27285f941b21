// Finding catalogue rows by any words of their descriptions: case and accents ignored, in any
// order, parts of words too ("viv agua", "electr", "seguridad 9.000").
#pragma once

#include <QString>
#include <QStringList>

namespace cdv {

// The text folded for comparing: lower case, without accents.
QString Plegado(const QString& texto);

// Whether `texto` holds every word of `consulta` (none: it does).
bool TienePalabras(const QString& texto, const QString& consulta);

// The texts of `textos` that hold every word of `consulta`, in their order.
QStringList ConPalabras(const QStringList& textos, const QString& consulta);

}  // namespace cdv
