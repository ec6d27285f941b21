// What the windows take from the platform: the user's number conventions, text conversion
// and the message box through which the schedule speaks.
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "TextoNumerico.h"

class QWidget;

// The decimal and grouping separators of QLocale(), read at each call.
cdv::Separadores SeparadoresActuales();

inline QString Qs(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}
inline std::string Us(const QString& texto) {
    return texto.toStdString();
}

// Routes the schedule's messages to a modal box with one OK button and no icon, over the
// active window (or `principal`); RetirarCuadroDeMensajes restores the default.
void InstalarCuadroDeMensajes(QWidget* principal);
void RetirarCuadroDeMensajes();
