// What the windows take from the platform: text conversion, the user's number conventions,
// the program's own setting up and its message box.
#pragma once

#include "TextoLocal.h"

class QWidget;

// What the program sets for itself before its first window: its name and version (which
// name its data folder), Qt's own texts in Spanish and the forms' style for all its widgets.
void PrepararPrograma(const char* version);

// Qt's own texts (standard buttons, the file dialog, the print preview, the command line's
// help) in the program's language, Spanish, from Qt's translations; once.
void TraducirQt();

inline constexpr char kTituloError[] = "   ERROR";

// Tells the user `texto` in a modal box titled `titulo`, with one OK button and no icon, over
// the program's active window (or `sobre`); returns once the user has acknowledged it.
void Avisar(QWidget* sobre, const QString& texto, const QString& titulo = kTituloError);
